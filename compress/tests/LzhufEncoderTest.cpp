#include <gtest/gtest.h>

#include <string>

#include "compress/CompressExceptions.h"
#include "compress/lzhuf/Lzhuf.h"
#include "compress/tests/LzhufSymbols.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/CodecRun.h"

namespace {

using S = LzhufSymbol;

Bytes Text(const std::string& s)
{
    return {s.begin(), s.end()};
}

TEST(LzhufEncoder, EmptyInputWritesNothing)
{
    EXPECT_TRUE(Compress(EncodeLZH, {}).empty());
    EXPECT_NO_THROW(Compress(EncodeLZH, {}, {.budget = 0})) << "not even a flush byte";
}

TEST(LzhufEncoder, RunCodesAsOneLiteralAndMatchesAtDistanceOne)
{
    const Bytes run(200, 'a');
    const Bytes coded = Compress(EncodeLZH, run);
    EXPECT_EQ(LzhufSymbolsOf(coded, 200),
              (std::vector<S>{S::Literal('a'), S::Match(60, 0), S::Match(60, 0), S::Match(60, 0), S::Match(19, 0)}));
    EXPECT_EQ(Expand(DecodeLZH, coded, 200), run);
}

TEST(LzhufEncoder, LeadingSpacesMatchTheInitialWindow)
{
    const Bytes input = Text("   ok");
    EXPECT_EQ(LzhufSymbolsOf(Compress(EncodeLZH, input), 5),
              (std::vector<S>{S::Match(3, 0), S::Literal('o'), S::Literal('k')}));
}

TEST(LzhufEncoder, OfEquallyLongMatchesTheNearerIsSent)
{
    // "abcd" occurs twice before the last one, each time followed by a different byte.
    const Bytes input = Text("abcdQ12345abcdR6789abcdS");
    const std::vector<S> symbols = LzhufSymbolsOf(Compress(EncodeLZH, input), static_cast<std::int32_t>(input.size()));
    ASSERT_GE(symbols.size(), 2u);
    EXPECT_EQ(symbols[symbols.size() - 2], S::Match(4, 8));
    EXPECT_EQ(symbols.back(), S::Literal('S'));
}

TEST(LzhufEncoder, LongestMatchIsFoundAcrossTheWindow)
{
    // A 40-byte phrase recurs after noise, as far back as the dictionary reaches (N - F strings).
    Bytes input = Text("a phrase of forty bytes, said once more");
    input.push_back('.');
    const Bytes noise = RandomBytes(lzhuf::N - lzhuf::F - 40, 3);
    Bytes all = input;
    all.insert(all.end(), noise.begin(), noise.end());
    all.insert(all.end(), input.begin(), input.end());
    const std::vector<S> symbols = LzhufSymbolsOf(Compress(EncodeLZH, all), static_cast<std::int32_t>(all.size()));
    EXPECT_EQ(symbols.back(), S::Match(40, 4035));
}

TEST(LzhufEncoder, OutputBeyondTheBudgetRaises)
{
    const Bytes noise = RandomBytes(10000, 5);
    EXPECT_THROW(Compress(EncodeLZH, noise, {.budget = 10000}), EUnableToCompress);

    const Bytes text = TextBytes(10000, 5);
    const Bytes coded = Compress(EncodeLZH, text, {.budget = 10000});
    EXPECT_LT(coded.size(), text.size() / 2);
}

}  // namespace
