#include "compress/CompThreadSafety.h"

#include <gtest/gtest.h>

#include <vector>

#include "compress/CompressExceptions.h"
#include "port/MemoryStream.h"

namespace {

std::vector<unsigned char> Bytes(std::size_t n, unsigned char value = 'x') { return std::vector<unsigned char>(n, value); }

// The figures of a small total, chunk by chunk: CodeStream.ProgressGoesFromZeroToHundredAndCancelStopsAtOnce.
TEST(Percent, SmallTotalsMultiplyFirstLargeTotalsDivideFirst)
{
    EXPECT_EQ(Percent(8192, 1000000), 0);
    EXPECT_EQ(Percent(500000, 1000000), 50);
    EXPECT_EQ(Percent(2000000000, 2100000000), 95) << "no 32-bit overflow";
}

TEST(CompThreadSafety, ReadsSumsScramblesAndEnds)
{
    MemoryStream in(std::vector<unsigned char>{0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, 6, 100, true, false, 0x04030201, {}});
    std::vector<unsigned char> got;
    for (;;) {
        const unsigned char b = state.NextInputByte();
        if (state.EndOfInput()) break;
        got.push_back(b);
    }
    // The fifth byte is XORed with the lowest key byte again.
    EXPECT_EQ(got, (std::vector<unsigned char>{0x11, 0x22, 0x33, 0x44, 0x51, 0x62}));
    EXPECT_EQ(state.InputSum(), 0x10u + 0x20 + 0x30 + 0x40 + 0x50 + 0x60) << "sums the bytes before unscrambling";
    EXPECT_EQ(state.NextInputByte(), 0);
    EXPECT_TRUE(state.EndOfInput());
    state.Flush();
}

TEST(CompThreadSafety, ReadInputGivesWhatNextInputByteGives)
{
    std::vector<unsigned char> plain(20000);
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<unsigned char>(i * 7 + i / 300);
    MemoryStream bytewise(plain);
    MemoryStream blockwise(plain);
    MemoryStream out;
    TCompThreadSafety one;
    TCompThreadSafety other;
    one.Begin({&bytewise, &out, 20000, 0, true, false, 0x0BADF00D, {}});
    other.Begin({&blockwise, &out, 20000, 0, true, false, 0x0BADF00D, {}});
    std::vector<unsigned char> expected;
    while (true) {
        const unsigned char b = one.NextInputByte();
        if (one.EndOfInput()) break;
        expected.push_back(b);
    }
    // Pieces that start and end inside the 8,192-byte buffer and cross its refills; the last is cut short.
    std::vector<unsigned char> got(plain.size() + 100);
    std::size_t at = other.ReadInput(got.data(), 3);
    at += other.ReadInput(got.data() + at, 8190);
    at += other.ReadInput(got.data() + at, 8192);
    EXPECT_EQ(other.ReadInput(got.data() + at, 8192), 20000u - at);
    got.resize(20000);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(other.InputSum(), one.InputSum());
    EXPECT_EQ(other.ReadInput(got.data(), 1), 0u);
    EXPECT_TRUE(other.EndOfInput());
    one.Release();
    other.Release();
}

TEST(CompThreadSafety, OutputBudgetRaisesOnTheFirstByteBeyondIt)
{
    MemoryStream out;
    MemoryStream in;
    TCompThreadSafety state;
    state.Begin({&in, &out, 0, 3, false, true, 0x000000FF, {}});
    state.PutOutputByte(0x0F);
    state.PutOutputByte(0x0F);
    state.PutOutputByte(0x0F);
    EXPECT_THROW(state.PutOutputByte(0x0F), EUnableToCompress);
    state.Flush();
    EXPECT_EQ(out.Bytes(), (std::vector<unsigned char>{0xF0, 0x0F, 0x0F}));
    EXPECT_EQ(state.OutputCount(), 3);
    EXPECT_EQ(state.OutputSum(), 0xF0u + 0x0F + 0x0F) << "sums the bytes after scrambling";
}

// The figures each chunk reports: CodeStream.ProgressGoesFromZeroToHundredAndCancelStopsAtOnce.
TEST(CompThreadSafety, ACancelEndsTheInputBeforeTheChunkItAnswered)
{
    MemoryStream in(Bytes(20000));
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, 20000, 0, false, false, 0, [](std::int32_t& p) {
                     if (p > 50) p = -1;
                 }});
    std::size_t n = 0;
    while (state.NextInputByte(), !state.EndOfInput()) ++n;
    EXPECT_EQ(n, 8192u) << "the cancelled chunk is not used";
    EXPECT_EQ(state.InputSum(), 8192u * 'x');
    EXPECT_EQ(state.NextInputByte(), 0);
    EXPECT_TRUE(state.EndOfInput());
    state.Release();
}

TEST(CompThreadSafety, LargeOutputIsWrittenInWholeBuffers)
{
    MemoryStream in;
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, 0, 2147483647, false, false, 0, {}});
    for (int i = 0; i < 20000; ++i) state.PutOutputByte(static_cast<unsigned char>(i));
    EXPECT_EQ(out.Size(), 16384) << "two full buffers written, the rest still held";
    state.Flush();
    ASSERT_EQ(out.Size(), 20000);
    EXPECT_EQ(out.Bytes()[19999], static_cast<unsigned char>(19999));
}

}  // namespace
