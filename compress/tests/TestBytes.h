#pragma once
// Inputs for codec tests: the shared peer files, and generated data of a chosen kind and size.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "testsupport/ScratchDir.h"

// A file of the shared test data, e.g. PeerFile("lzh-peers", "gpl2.lh1").
inline std::vector<unsigned char> PeerFile(const std::string& folder, const std::string& name)
{
    const std::string text = ScratchDir::Read(std::string(SETUP_TESTDATA_DIR) + "\\" + folder + "\\" + name);
    return {text.begin(), text.end()};
}

inline std::vector<unsigned char> RandomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes) b = static_cast<unsigned char>(random() >> 24);
    return bytes;
}

// Words drawn at random from a small vocabulary, with line breaks: text with many repeats of varied length.
inline std::vector<unsigned char> TextBytes(std::size_t n, std::uint32_t seed)
{
    static const char* const words[] = {
        "the", "setup",    "program", "expands", "its",         "files",  "into",   "a",      "temporary", "directory",
        "and", "installs", "them",    "under",   "Windows",     "while",  "asking", "for",    "disk",      "number",
        "2",   "3",        "of",      "archive", "compression", "window", "match",  "length", "position",  "Huffman"};
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes;
    bytes.reserve(n + 16);
    while (bytes.size() < n) {
        const std::string word = words[random() % std::size(words)];
        bytes.insert(bytes.end(), word.begin(), word.end());
        bytes.push_back(random() % 11 == 0 ? '\n' : ' ');
    }
    bytes.resize(n);
    return bytes;
}
