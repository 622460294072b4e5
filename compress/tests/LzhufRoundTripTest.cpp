#include <gtest/gtest.h>

#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "testsupport/compress/CodecRun.h"
#include "testsupport/TestBytes.h"

namespace {

void ExpectRoundTrip(const Bytes& input, const std::string& what, std::int32_t key = 0)
{
    ::ExpectRoundTrip(EncodeLZH, DecodeLZH, input, what, key);
}

// Runs of every length up to a few times the longest match (60).
Bytes Runs(std::size_t n)
{
    return RunsOfBytes(n, 250);
}

TEST(LzhufRoundTrip, SizesAroundTheWindowAndBufferBoundaries)
{
    for (const std::size_t size :
         {1u, 2u, 3u, 59u, 60u, 61u, 4035u, 4036u, 4095u, 4096u, 4097u, 7936u, 8192u, 16128u, 16384u, 16640u}) {
        ExpectRoundTrip(RandomBytes(size, static_cast<std::uint32_t>(size)), "random");
        ExpectRoundTrip(TextBytes(size, static_cast<std::uint32_t>(size)), "text");
        ExpectRoundTrip(Runs(size), "runs");
    }
}

TEST(LzhufRoundTrip, LongRunsOfOneByte)
{
    for (const int b : {0x20, 0x61, 0x00})
        ExpectRoundTrip(Bytes(100000, static_cast<unsigned char>(b)), "run of one byte");
}

TEST(LzhufRoundTrip, SeveralMegabytesOfMixedData)
{
    Bytes input = DebianTexts();
    for (std::uint32_t part = 0; part < 4; ++part) {
        const Bytes noise = RandomBytes(150000, part);
        const Bytes runs = Runs(200000);
        input.insert(input.end(), noise.begin(), noise.end());
        input.insert(input.end(), runs.begin(), runs.end());
        input.insert(input.end(), DebianTexts().begin(), DebianTexts().end());
    }
    ASSERT_GT(input.size(), 2'000'000u);
    ExpectRoundTrip(input, "text, noise and runs");
}

TEST(LzhufRoundTrip, WithAKeyTheCodedBytesAreScrambled)
{
    const Bytes text = DebianText("GPL-2");
    const std::int32_t key = 0x5EC2E7A1;
    ExpectRoundTrip(text, "keyed text", key);
    ExpectRoundTrip(RandomBytes(5000, 9), "keyed noise", key);

    const Bytes plain = Compress(EncodeLZH, text);
    const Bytes scrambled = Compress(EncodeLZH, text, {.key = key});
    ASSERT_EQ(plain.size(), scrambled.size());
    for (std::size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(plain[i] ^ scrambled[i], (static_cast<std::uint32_t>(key) >> (8 * (i % 4))) & 0xFF) << i;
}

}  // namespace
