#pragma once
// Test helpers: one whole coding run of the -lh5- codec between byte vectors, as CodeStream makes it.
#include <cstdint>
#include <string>

#include "compress/lh5/Lh5.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/CodecRun.h"

using TBytes = Bytes;

inline TBytes RunDecodeLZH5(const TBytes& coded, std::int32_t expandedSize, std::int32_t key = 0)
{
    return Expand(DecodeLZH5, coded, expandedSize, {0x7FFFFFFF, key});
}

inline TBytes RunEncodeLZH5(const TBytes& plain, std::int32_t key = 0, std::int32_t budget = 0x7FFFFFFF)
{
    return Compress(EncodeLZH5, plain, {budget, key});
}

inline TBytes ReadTestFile(const std::string& path)
{
    const std::string text = ScratchDir::Read(path);
    return {text.begin(), text.end()};
}
