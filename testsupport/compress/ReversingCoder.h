#pragma once
// A custom method for tests: the coded data are the file's bytes in reverse order. The coder answers
// the identifier it is given to answer; the expander reverses them back.
#include <gtest/gtest.h>

#include <string>

#include "compress/Compress.h"

inline std::int32_t SumOf(const std::string& data)
{
    return static_cast<std::int32_t>(ByteSum(reinterpret_cast<const unsigned char*>(data.data()), data.size()));
}

inline TCompressEvent ReversingCoder(const std::string& answer)
{
    return [answer](Stream& dest, Stream& source, std::string& id, std::int32_t& size, std::int32_t& checksum) {
        EXPECT_EQ(id, "CUS") << "the coder is told the custom identifier";
        std::string data(static_cast<std::size_t>(source.Remaining()), '\0');
        source.ReadBuffer(data.data(), data.size());
        dest.WriteBuffer(std::string(data.rbegin(), data.rend()).data(), data.size());
        size = static_cast<std::int32_t>(data.size());
        checksum = SumOf(data);
        id = answer;
    };
}

inline TExpandEvent ReversingExpander()
{
    return [](Stream& dest, Stream& source, std::int32_t sourceSize, std::int32_t, const std::string&,
              std::int32_t& checksum) {
        std::string data(static_cast<std::size_t>(sourceSize), '\0');
        source.ReadBuffer(data.data(), data.size());
        dest.WriteBuffer(std::string(data.rbegin(), data.rend()).data(), data.size());
        checksum = SumOf(data);
    };
}
