#include "compress/lh5/Lh5HuffmanTree.h"

#include <algorithm>

unsigned TLh5HuffmanTree::Make(std::span<std::uint16_t> freq, std::span<unsigned char> lengths,
                               std::span<std::uint16_t> codes)
{
    freq_ = freq;
    symbols_ = static_cast<unsigned>(lengths.size());
    std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
    heapSize_ = 0;
    heap_[1] = 0;
    for (unsigned i = 0; i < symbols_; ++i)
        if (freq[i] != 0) heap_[++heapSize_] = static_cast<std::uint16_t>(i);
    if (heapSize_ < 2) {
        codes[heap_[1]] = 0;
        return heap_[1];
    }
    for (std::size_t i = heapSize_ / 2; i >= 1; --i) SiftDown(i);

    // The codes array holds the symbols in the order they leave the heap until the codes are made.
    std::size_t sorted = 0;
    unsigned node = symbols_;
    do {
        const std::uint16_t i = heap_[1];
        if (i < symbols_) codes[sorted++] = i;
        heap_[1] = heap_[heapSize_--];
        SiftDown(1);
        const std::uint16_t j = heap_[1];
        if (j < symbols_) codes[sorted++] = j;
        freq[node] = static_cast<std::uint16_t>(freq[i] + freq[j]);
        heap_[1] = static_cast<std::uint16_t>(node);
        SiftDown(1);
        left_[node] = i;
        right_[node] = j;
        ++node;
    } while (heapSize_ > 1);
    const unsigned root = node - 1;

    lengthCount_.fill(0);
    CountLeafDepths(root, 0);
    LimitLengths();
    AssignLengths(lengths, codes.first(sorted));
    AssignCodes(lengths, codes);
    return root;
}

void TLh5HuffmanTree::SiftDown(std::size_t i)
{
    const std::uint16_t entry = heap_[i];
    for (std::size_t j = 2 * i; j <= heapSize_; j = 2 * i) {
        if (j < heapSize_ && freq_[heap_[j]] > freq_[heap_[j + 1]]) ++j;
        if (freq_[entry] <= freq_[heap_[j]]) break;
        heap_[i] = heap_[j];
        i = j;
    }
    heap_[i] = entry;
}

void TLh5HuffmanTree::CountLeafDepths(unsigned node, int depth)
{
    if (node < symbols_) {
        ++lengthCount_[static_cast<std::size_t>(std::min(depth, kMaxLength))];
        return;
    }
    CountLeafDepths(left_[node], depth + 1);
    CountLeafDepths(right_[node], depth + 1);
}

// Leaves deeper than 16 were counted at 16, which overfills the code space; each unit of excess is
// repaid by moving one shorter code a level down, where it makes room for two.
void TLh5HuffmanTree::LimitLengths()
{
    std::uint32_t sum = 0;
    for (int i = 1; i <= kMaxLength; ++i) sum += lengthCount_[static_cast<std::size_t>(i)] << (kMaxLength - i);
    const auto excess = static_cast<std::uint16_t>(sum);
    lengthCount_[kMaxLength] -= excess;
    for (unsigned k = 0; k < excess; ++k) {
        for (std::size_t i = kMaxLength - 1; i >= 1; --i) {
            if (lengthCount_[i] != 0) {
                --lengthCount_[i];
                lengthCount_[i + 1] += 2;
                break;
            }
        }
    }
}

// The least frequent symbols get the longest codes.
void TLh5HuffmanTree::AssignLengths(std::span<unsigned char> lengths, std::span<const std::uint16_t> leastFrequentFirst)
{
    auto next = leastFrequentFirst.begin();
    for (std::size_t length = kMaxLength; length >= 1; --length)
        for (unsigned k = 0; k < lengthCount_[length]; ++k) lengths[*next++] = static_cast<unsigned char>(length);
}

void TLh5HuffmanTree::AssignCodes(std::span<const unsigned char> lengths, std::span<std::uint16_t> codes) const
{
    std::array<std::uint32_t, kMaxLength + 2> start{};
    for (std::size_t i = 1; i <= kMaxLength; ++i) start[i + 1] = start[i] + (lengthCount_[i] << (kMaxLength - i));
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const std::size_t length = lengths[symbol];
        if (length == 0) {
            codes[symbol] = 0;
            continue;
        }
        codes[symbol] = static_cast<std::uint16_t>(start[length]);
        start[length] += 1u << (kMaxLength - length);
    }
}
