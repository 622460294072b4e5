#pragma once
// Builds the -lh5- encoder's Huffman codes: a tree from symbol counts, its code lengths limited to
// 16 bits, and canonical codes for them.
#include <array>
#include <cstdint>
#include <span>

#include "compress/lh5/Lh5.h"

class TLh5HuffmanTree {
public:
    // lengths.size() symbols are coded; freq needs room for the inner nodes too (2n - 1 entries).
    // Fills lengths and the left-aligned codes and returns the root: an inner node (n or more), or
    // the lone symbol (0 when there is none), which then has length 0.
    unsigned Make(std::span<std::uint16_t> freq, std::span<unsigned char> lengths, std::span<std::uint16_t> codes);

private:
    void SiftDown(std::size_t i);
    void CountLeafDepths(unsigned node, int depth);
    void LimitLengths();
    void AssignLengths(std::span<unsigned char> lengths, std::span<const std::uint16_t> leastFrequentFirst);
    void AssignCodes(std::span<const unsigned char> lengths, std::span<std::uint16_t> codes) const;

    static constexpr int kMaxLength = 16;

    std::span<std::uint16_t> freq_;
    unsigned symbols_ = 0;
    std::array<std::uint16_t, lh5::NC + 1> heap_{};
    std::size_t heapSize_ = 0;
    std::array<std::uint16_t, 2 * lh5::NC - 1> left_{};
    std::array<std::uint16_t, 2 * lh5::NC - 1> right_{};
    std::array<unsigned, kMaxLength + 1> lengthCount_{};
};
