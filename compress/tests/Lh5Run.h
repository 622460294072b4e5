#pragma once
// Test helpers: one whole coding run of the -lh5- codec between byte vectors, as CodeStream makes it.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "compress/Lh5.h"
#include "port/MemoryStream.h"

using TBytes = std::vector<unsigned char>;

inline TBytes RunDecodeLZH5(const TBytes& coded, std::int32_t expandedSize, std::int32_t key = 0)
{
    MemoryStream in(coded);
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(coded.size()), 0x7FFFFFFF, key != 0, false, key, {}});
    try {
        DecodeLZH5(state, expandedSize);
    } catch (...) {
        state.Release();
        throw;
    }
    state.Flush();
    return out.Bytes();
}

// The budget defaults to the input's size, as when compressing for an archive.
inline TBytes RunEncodeLZH5(const TBytes& plain, std::int32_t key = 0, std::int32_t budget = 0x7FFFFFFF)
{
    MemoryStream in(plain);
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(plain.size()), budget, false, key != 0, key, {}});
    try {
        EncodeLZH5(state);
    } catch (...) {
        state.Release();
        throw;
    }
    state.Flush();
    return out.Bytes();
}

inline TBytes ReadTestFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string PeerFile(const std::string& name)
{
    return std::string(SETUP_TESTDATA_DIR) + "/lzh-peers/" + name;
}
