#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "compress/CompressExceptions.h"
#include "compress/tests/BitWriter.h"
#include "compress/tests/Lh5Items.h"
#include "compress/tests/Lh5Run.h"
#include "port/Exception.h"
#include "port/MemoryStream.h"

namespace {

TBytes Text(const std::string& s)
{
    return TBytes(s.begin(), s.end());
}

TEST(Lh5Encoder, EmptyInputWritesNothing)
{
    EXPECT_TRUE(RunEncodeLZH5({}).empty());
}

TEST(Lh5Encoder, OneByteIsASingleSymbolBlockOfSevenBytes)
{
    TBitWriter expected;
    expected.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'Q').Put(4, 0).Put(4, 0);  // 52 bits, flushed with zeros
    ASSERT_EQ(expected.Bytes().size(), 7u);
    EXPECT_EQ(RunEncodeLZH5(Text("Q")), expected.Bytes());
}

// Binary-like data: copies from near and far (some from beyond the window), long and short, between bits
// of noise, over many window slides, so that nodes are split, removed and percolated in every way.
TBytes CopiesNearAndFar(std::size_t n)
{
    std::mt19937 engine(20261207);
    const auto random = [&engine] { return static_cast<std::uint32_t>(engine()); };
    TBytes bytes;
    while (bytes.size() < n) {
        const std::uint32_t kind = random();
        if (bytes.size() < 64 || kind % 3 == 0) {
            for (std::uint32_t k = 1 + kind / 4 % 32; k > 0; --k) bytes.push_back(static_cast<unsigned char>(random()));
            continue;
        }
        const std::size_t reach = kind % 5 < 2 ? 64 : 9000;
        const std::size_t distance = 1 + random() % std::min(bytes.size(), reach);
        for (std::uint32_t k = 3 + random() % (kind % 7 == 0 ? 300 : 20); k > 0; --k)
            bytes.push_back(bytes[bytes.size() - distance]);
    }
    bytes.resize(n);
    return bytes;
}

std::uint64_t Fnv1a(const TBytes& bytes)
{
    std::uint64_t h = 14695981039346656037u;
    for (const unsigned char b : bytes) h = (h ^ b) * 1099511628211u;
    return h;
}

// Which of the equally long matches the trie names depends on how lazily it moved positions up; the peer
// streams above pin that for text, this pins it for binary data. The digest is of the stream the encoder
// wrote when it first reproduced those streams: a faster match finder must choose the very same matches.
TEST(Lh5Encoder, ChoosesTheSameMatchesInBinaryData)
{
    const TBytes coded = RunEncodeLZH5(CopiesNearAndFar(2000000));
    EXPECT_EQ(coded.size(), 567343u);
    EXPECT_EQ(Fnv1a(coded), 10606195222969493829u);
}

TEST(Lh5Encoder, ALongerMatchOneByteLaterTurnsTheMatchIntoALiteral)
{
    // At the second "abc" a match of 3 starts; one byte later "bcdefg" matches 6.
    const TBytes lazy = Text("abcxbcdefgYabcdefg");
    std::vector<TLh5Item> expected;
    for (char c : std::string("abcxbcdefgYa")) expected.push_back(Literal(c));
    expected.push_back(Match(6, 8 - 1));
    EXPECT_EQ(ReadItems(RunEncodeLZH5(lazy), lazy.size()), expected);

    // Not longer one byte later: the match of 3 is taken.
    const TBytes eager = Text("abcxbcdYabcd");
    expected.clear();
    for (char c : std::string("abcxbcdY")) expected.push_back(Literal(c));
    expected.push_back(Match(3, 8 - 1));
    expected.push_back(Literal('d'));
    EXPECT_EQ(ReadItems(RunEncodeLZH5(eager), eager.size()), expected);
}

TEST(Lh5Encoder, RunsBecomeOneLiteralAndFullLengthMatchesAtDistanceOne)
{
    const TBytes run(1 + 256 * 3, 'z');
    const std::vector<TLh5Item> expected{Literal('z'), Match(256, 0), Match(256, 0), Match(256, 0)};
    EXPECT_EQ(ReadItems(RunEncodeLZH5(run), run.size()), expected);
}

TEST(Lh5Encoder, StopsWhenTheOutputWouldNotBeSmaller)
{
    const TBytes noise = RandomBytes(20000, 3);
    EXPECT_THROW(RunEncodeLZH5(noise, 0, static_cast<std::int32_t>(noise.size())), EUnableToCompress);
    const TBytes text = TextLike(20000);
    EXPECT_NO_THROW(RunEncodeLZH5(text, 0, static_cast<std::int32_t>(text.size())));
}

// Full blocks are sent on a thread of their own; what goes wrong there must reach the caller, and the
// search must stop soon after.
// Accepts writes until its capacity is used up, then refuses them.
class SmallMedium : public MemoryStream {
public:
    explicit SmallMedium(std::size_t capacity) : capacity_(capacity) {}
    std::size_t Write(const void* buffer, std::size_t count) override
    {
        if (Size() + static_cast<std::int64_t>(count) > static_cast<std::int64_t>(capacity_)) return 0;
        return MemoryStream::Write(buffer, count);
    }

private:
    std::size_t capacity_;
};

// Codes input into out with the budget; returns how much input was read when the run ended.
template <typename Error>
std::int64_t InputReadWhenFailing(const TBytes& input, Stream& out, std::int32_t budget)
{
    MemoryStream in(input);
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(input.size()), budget, false, false, 0, {}});
    EXPECT_THROW(EncodeLZH5(state), Error);
    state.Release();
    return in.Position();
}

TEST(Lh5Encoder, AnOutputBudgetSpentWhileSendingABlockEndsTheRun)
{
    const TBytes noise = RandomBytes(3 << 20, 11);
    MemoryStream out;
    const std::int64_t read = InputReadWhenFailing<EUnableToCompress>(noise, out, 40000);
    EXPECT_LT(read, 400000) << "the search stopped a few blocks after the budget was spent";
}

TEST(Lh5Encoder, AWriteErrorWhileSendingABlockReachesTheCaller)
{
    const TBytes text = TextLike(3 << 20);
    SmallMedium out(50000);
    const std::int64_t read = InputReadWhenFailing<EWriteError>(text, out, 0x7FFFFFFF);
    EXPECT_LT(read, 2 << 20);
}

}  // namespace
