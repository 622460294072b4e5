#include "compress/simple/SimpleCodecs.h"

#include <gtest/gtest.h>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/MemoryStream.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Coded {
    Bytes bytes;
    std::int32_t checksum;
};

Coded Code(TCompress& c, TCodeDirection direction, std::uint8_t method, const Bytes& input, std::int32_t expanded = 0)
{
    MemoryStream in(input);
    MemoryStream out;
    std::int32_t checksum = -1;
    c.CodeStream(out, in, true, direction, checksum, method, expanded, static_cast<std::int32_t>(input.size()));
    return {out.Bytes(), checksum};
}

Bytes Expand(const Bytes& coded, std::int32_t expanded = 1 << 20)
{
    TCompress c;
    return Code(c, TCodeDirection::Expand, coRLE, coded, expanded).bytes;
}

Bytes Compress(const Bytes& plain)
{
    TCompress c;
    return Code(c, TCodeDirection::Compress, coRLE, plain).bytes;
}

TEST(RunLength, DecodesRunsMarkersAndLiterals)
{
    EXPECT_EQ(Expand({0x41, 0x94, 0x05}), Bytes(5, 0x41));
    EXPECT_EQ(Expand({0x94, 0x00}), Bytes{0x94});
    EXPECT_EQ(Expand({0x41, 0x41}), (Bytes{0x41, 0x41}));
    EXPECT_EQ(Expand({0x41, 0x94}), (Bytes{0x41, 0x94})) << "a marker at the end stands for itself";
    EXPECT_EQ(Expand({0x41, 0x94, 0x03, 0x94, 0x03}), (Bytes{0x41, 0x41, 0x41, 0x94, 0x94}))
        << "after a run the last byte is the marker";
    EXPECT_EQ(Expand({0x94, 0x04}), (Bytes{0, 0, 0})) << "the last byte starts as 0";
}

// Runs of 255 in damaged data would otherwise write 85 times the data's size before the checksum test.
TEST(RunLength, DecodingStopsAtTheExpandedSize)
{
    Bytes runs{0x41};
    for (int i = 0; i < 1000; ++i) runs.insert(runs.end(), {0x94, 0xFF});
    Bytes first = Bytes(255, 0x41);
    first.insert(first.end(), 745, 0x94);
    EXPECT_EQ(Expand(runs, 1000), first) << "cut inside the second run";
    EXPECT_EQ(Expand(runs, 100), Bytes(100, 0x41)) << "cut inside the first run";
    EXPECT_EQ(Expand({0x41, 0x94, 0x00, 0x42}, 2), (Bytes{0x41, 0x94})) << "cut after an escaped marker";
    EXPECT_TRUE(Expand(runs, 0).empty());
}

TEST(RunLength, EncodesRunsAsTheReaderExpects)
{
    EXPECT_EQ(Compress(Bytes(5, 0x41)), (Bytes{0x41, 0x94, 0x05}));
    EXPECT_EQ(Compress({0x41, 0x41}), (Bytes{0x41, 0x41}));
    EXPECT_EQ(Compress(Bytes(300, 0x41)), (Bytes{0x41, 0x94, 0xFF, 0x41, 0x94, 0x2D}));
    EXPECT_EQ(Compress({0x00, 0x00, 0x00}), (Bytes{0x00, 0x94, 0x03})) << "a first 0 is a literal, then a run";
}

TEST(RunLength, MarkerBytesNeverFormRunsAndRefuseToGrow)
{
    TCompress c;
    MemoryStream in(Bytes{0x94});
    MemoryStream out;
    std::int32_t checksum = 0;
    EXPECT_THROW(c.CodeStream(out, in, false, TCodeDirection::Compress, checksum, coRLE, 0, 1), EUnableToCompress);
    Bytes plain{0x94, 0x94};
    plain.insert(plain.end(), 200, 0x41);
    const Bytes coded = Compress(plain);
    EXPECT_EQ(coded, (Bytes{0x94, 0, 0x94, 0, 0x41, 0x94, 200}));
    EXPECT_EQ(Expand(coded), plain);
}

TEST(CodeStream, CopiesScramblesAndSumsPlainBytes)
{
    TCompress c;
    c.Key = 0x01020304;
    const Bytes plain{1, 2, 3, 4, 5};
    const Coded coded = Code(c, TCodeDirection::Compress, coNone, plain);
    EXPECT_EQ(coded.bytes, (Bytes{1 ^ 4, 2 ^ 3, 3 ^ 2, 4 ^ 1, 5 ^ 4}));
    EXPECT_EQ(coded.checksum, 15) << "the checksum is of the plain bytes";
    EXPECT_EQ(Code(c, TCodeDirection::Expand, coNone, coded.bytes).bytes, plain);
}

// A stream that nothing here can code is refused, not passed off as an empty result.
TEST(CodeStream, MethodsWithoutABuiltInCoderAreRefused)
{
    TCompress c;
    EXPECT_THROW(Code(c, TCodeDirection::Expand, 7, {1, 2, 3}), EUnknownEntryMethod);
    EXPECT_THROW(Code(c, TCodeDirection::Compress, coCustom, {1, 2, 3}), EUnknownEntryMethod) << "CUS: the handlers'";
    c.CompressID = "LZM";
    const Coded coded = Code(c, TCodeDirection::Compress, coCustom, Bytes(1000, 'z'));
    EXPECT_EQ(Code(c, TCodeDirection::Expand, coCustom, coded.bytes, 1000).bytes, Bytes(1000, 'z'));
}

TEST(CodeStream, ProgressGoesFromZeroToHundredAndCancelStopsAtOnce)
{
    TCompress c;
    std::vector<std::int32_t> seen;
    c.OnShowProgress = [&](std::int32_t& p) { seen.push_back(p); };
    Code(c, TCodeDirection::Compress, coNone, Bytes(20000, 'a'));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 40, 81, 100, 100}));

    c.OnShowProgress = [](std::int32_t& p) { p = -1; };
    MemoryStream in(Bytes(100, 'a'));
    MemoryStream out;
    std::int32_t checksum = 1234;
    EXPECT_EQ(c.CodeStream(out, in, false, TCodeDirection::Compress, checksum, coNone, 0, 100), 0);
    EXPECT_EQ(checksum, 1234) << "left as the caller set it";
    EXPECT_EQ(in.Position(), 0) << "nothing read";
    EXPECT_TRUE(c.Cancelled());
}

TEST(CodeStream, CancelInTheMiddleCoversWholeChunksOnly)
{
    TCompress c;
    c.OnShowProgress = [](std::int32_t& p) {
        if (p > 0 && p < 100) p = p >= 50 ? -1 : p;
    };
    const Bytes plain(30000, 'b');
    const Coded coded = Code(c, TCodeDirection::Compress, coNone, plain);
    EXPECT_EQ(coded.bytes.size(), 8192u);
    EXPECT_EQ(coded.checksum, 8192 * 'b');
    EXPECT_TRUE(c.Cancelled());
}

}  // namespace
