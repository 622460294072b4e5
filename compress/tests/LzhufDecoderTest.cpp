#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "compress/tests/LzhufSymbols.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/CodecRun.h"

namespace {

using S = LzhufSymbol;

TEST(LzhufDecoder, NothingToProduceReadsNothing)
{
    const Bytes coded = Compress(EncodeLZH, DebianText("GPL-2"));
    for (const std::int32_t size : {0, -1}) {
        const CodecResult result = RunCodec([&](TCompThreadSafety& s) { DecodeLZH(s, size); }, coded, false);
        EXPECT_TRUE(result.output.empty());
        EXPECT_EQ(result.inputRead, 0);
    }
}

TEST(LzhufDecoder, MatchAtDistanceCodeZeroRepeatsThePreviousByte)
{
    const Bytes coded = LzhufCode({S::Literal(0x61), S::Match(10, 0)}).bytes;
    EXPECT_EQ(Expand(DecodeLZH, coded, 11), Bytes(11, 0x61));
    EXPECT_EQ(Expand(DecodeLZH, coded, 5), Bytes(5, 0x61)) << "a match past the expanded size is cut there";
}

TEST(LzhufDecoder, WindowStartsAsSpaces)
{
    // Distance code 4,095 reaches the position about to be written, which holds what the window started with.
    const Bytes coded = LzhufCode({S::Match(3, 0), S::Match(60, 4095), S::Literal('x')}).bytes;
    Bytes expected = Bytes(63, ' ');
    expected.push_back('x');
    EXPECT_EQ(Expand(DecodeLZH, coded, 64), expected);
}

TEST(LzhufDecoder, CodesLongerThanSixteenBits)
{
    const std::vector<S> symbols = DeepCodeLiterals();
    const Bytes expected = LiteralBytes(symbols);
    const LzhufStream stream = LzhufCode(symbols);
    EXPECT_GT(stream.longestCode, 16);
    EXPECT_TRUE(Expand(DecodeLZH, stream.bytes, static_cast<std::int32_t>(expected.size())) == expected);
}

TEST(LzhufDecoder, InputEndingEarlyEndsTheOutputSoon)
{
    const Bytes& text = DebianTexts();
    Bytes coded = Compress(EncodeLZH, text);
    coded.resize(10000);  // about the first 20,000 bytes of text
    const Bytes got = Expand(DecodeLZH, coded, static_cast<std::int32_t>(text.size()));
    const std::size_t intact = 16000;
    ASSERT_GT(got.size(), intact);
    EXPECT_LT(got.size(), 40000u) << "zero bits past the end are not taken for data";
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(intact), text.begin()));
}

TEST(LzhufDecoder, ArbitraryBytesNeverGiveMoreThanTheExpandedSize)
{
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        const Bytes noise = RandomBytes(seed * 97, seed);
        const auto size = static_cast<std::int32_t>(seed * 1013);
        EXPECT_LE(Expand(DecodeLZH, noise, size).size(), static_cast<std::size_t>(size)) << seed;
    }
    EXPECT_LT(Expand(DecodeLZH, {0x00, 0x05}, 100000000).size(), 70000u) << "a lying size does not fill a disk";
}

}  // namespace
