// EncodeLZH5: lazy LZSS matching over the suffix trie, coded as -lh5- blocks.
#include <algorithm>
#include <cstring>
#include <memory>

#include "compress/lh5/Lh5.h"
#include "compress/lh5/Lh5BlockWriter.h"
#include "compress/lh5/Lh5Dictionary.h"

namespace {

using namespace lh5;

constexpr int kLookAheadStart = DICSIZ + MAXMATCH;
constexpr int kRefillSize = DICSIZ;

class TLh5Encoder {
public:
    TLh5Encoder(TCompThreadSafety& state, TLh5Dictionary& dictionary, TLh5BlockWriter& blocks)
        : state_(state), dict_(dictionary), blocks_(blocks)
    {
    }

    void Encode();

private:
    int Read(int at, int count);
    void Advance();
    void ClampMatch() { dict_.matchLength = std::min(dict_.matchLength, remaining_); }

    TCompThreadSafety& state_;
    TLh5Dictionary& dict_;
    TLh5BlockWriter& blocks_;
    int remaining_ = 0;
};

// Reads up to count input bytes into the text at position at; returns how many there were.
int TLh5Encoder::Read(int at, int count)
{
    return static_cast<int>(state_.ReadInput(&dict_.text[at], static_cast<std::size_t>(count)));
}

// Moves to the next position, sliding the window by DICSIZ when the look-ahead reaches its end.
void TLh5Encoder::Advance()
{
    --remaining_;
    if (++dict_.pos == 2 * DICSIZ) {
        std::memmove(dict_.text.Data(), dict_.text.Data() + DICSIZ, DICSIZ + MAXMATCH);
        remaining_ += Read(kLookAheadStart, kRefillSize);
        dict_.pos = DICSIZ;
    }
    dict_.Delete();
    dict_.Insert();
}

void TLh5Encoder::Encode()
{
    remaining_ = Read(kLookAheadStart, kRefillSize);
    if (remaining_ == 0) return;
    // The padding never reaches the output: matches are clamped to the bytes that remain.
    std::fill(dict_.text.Data() + kLookAheadStart + remaining_, dict_.text.Data() + TLh5Dictionary::kTextSize, ' ');
    dict_.pos = kLookAheadStart;
    dict_.matchLength = dict_.matchPosition = 0;
    dict_.Insert();
    while (remaining_ > 0) {
        int lastLength = dict_.matchLength;
        const int lastPosition = dict_.matchPosition;
        Advance();
        ClampMatch();
        // Lazy matching: a longer match one byte later wins over the match here.
        if (dict_.matchLength > lastLength || lastLength < THRESHOLD) {
            blocks_.Output(dict_.text[dict_.pos - 1], 0);
            continue;
        }
        const auto distanceCode = static_cast<unsigned>(dict_.pos - lastPosition - 2) & (DICSIZ - 1);
        blocks_.Output(static_cast<unsigned>(lastLength + 0x100 - THRESHOLD), distanceCode);
        while (--lastLength > 0) Advance();
        ClampMatch();
    }
    blocks_.Finish();
}

}  // namespace

void EncodeLZH5(TCompThreadSafety& state)
{
    const auto dictionary = std::make_unique<TLh5Dictionary>();
    const auto blocks = std::make_unique<TLh5BlockWriter>(state);
    TLh5Encoder(state, *dictionary, *blocks).Encode();
}
