#pragma once
// Generated test inputs of a chosen kind, size and seed: noise, text with many repeats, and runs. The same
// seed always gives the same bytes, as a vector of bytes or as a string.
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

// Bytes that no coder can shrink.
template <typename Bytes = std::vector<unsigned char>>
Bytes RandomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes bytes(n, 0);
    for (auto& b : bytes) b = static_cast<typename Bytes::value_type>(random());
    return bytes;
}

// Words drawn at random from a small vocabulary, with line breaks: text with many repeats of varied length.
template <typename Bytes = std::vector<unsigned char>>
Bytes TextBytes(std::size_t n, std::uint32_t seed)
{
    static const char* const words[] = {
        "the", "setup",    "program", "expands", "its",         "files",  "into",   "a",      "temporary", "directory",
        "and", "installs", "them",    "under",   "Windows",     "while",  "asking", "for",    "disk",      "number",
        "2",   "3",        "of",      "archive", "compression", "window", "match",  "length", "position",  "Huffman"};
    std::mt19937 random(seed);
    Bytes bytes;
    bytes.reserve(n + 16);
    while (bytes.size() < n) {
        const std::string word = words[random() % std::size(words)];
        bytes.insert(bytes.end(), word.begin(), word.end());
        bytes.push_back(random() % 11 == 0 ? '\n' : ' ');
    }
    bytes.resize(n);
    return bytes;
}

// Runs of one byte each, of every length from 1 to longest (a few times a coder's longest match), of bytes
// that change from run to run: spaces, letters, 0 and 255.
template <typename Bytes = std::vector<unsigned char>>
Bytes RunsOfBytes(std::size_t n, std::size_t longest)
{
    const unsigned char values[] = {' ', 'a', 'b', 0x00, 0xFF};
    Bytes bytes;
    for (std::size_t i = 0; bytes.size() < n; ++i)
        bytes.insert(bytes.end(), 1 + i * 37 % longest, static_cast<typename Bytes::value_type>(values[i % 5]));
    bytes.resize(n);
    return bytes;
}
