#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>

#include "compress/lh5/Lh5HuffmanTable.h"
#include "compress/lh5/Lh5HuffmanTree.h"

namespace {

using namespace lh5;

struct TCode {
    std::array<std::uint16_t, 2 * NC - 1> freq{};
    std::array<unsigned char, NC> lengths{};
    std::array<std::uint16_t, NC> codes{};
};

TEST(Lh5HuffmanTree, FibonacciCountsAreLimitedTo16BitsAndStillDecode)
{
    // Unlimited, these counts would give codes of up to 21 bits.
    auto code = std::make_unique<TCode>();
    std::uint16_t a = 1, b = 1;
    for (std::size_t symbol = 100; symbol < 122; ++symbol) {
        code->freq[symbol] = a;
        a = std::exchange(b, static_cast<std::uint16_t>(a + b));
    }
    auto tree = std::make_unique<TLh5HuffmanTree>();
    EXPECT_GE(tree->Make(code->freq, code->lengths, code->codes), static_cast<unsigned>(NC));

    std::uint32_t space = 0;
    for (std::size_t symbol = 0; symbol < NC; ++symbol) {
        const bool used = symbol >= 100 && symbol < 122;
        EXPECT_EQ(code->lengths[symbol] != 0, used) << symbol;
        EXPECT_LE(code->lengths[symbol], 16) << symbol;
        if (used) space += 1u << (16 - code->lengths[symbol]);
    }
    EXPECT_EQ(space, 1u << 16) << "the lengths fill the code space exactly";
    EXPECT_EQ(code->lengths[121], 1) << "the most frequent symbol";
    EXPECT_EQ(code->lengths[100], 16);

    // Every code, looked up in the decoder's table, gives its symbol back.
    auto table = std::make_unique<std::array<std::uint16_t, 4096>>();
    auto overflow = std::make_unique<TOverflowTree>();
    MakeTable(code->lengths, 12, *table, *overflow);
    for (unsigned symbol = 100; symbol < 122; ++symbol) {
        const std::uint32_t bits = static_cast<std::uint32_t>(code->codes[symbol]) << 16;
        const unsigned found = WalkOverflowTree((*table)[bits >> 20], bits << 12, NC, *overflow);
        EXPECT_EQ(found, symbol);
    }
}

TEST(Lh5HuffmanTree, FewerThanTwoSymbolsGiveTheLoneSymbolOrZero)
{
    auto code = std::make_unique<TCode>();
    auto tree = std::make_unique<TLh5HuffmanTree>();
    EXPECT_EQ(tree->Make(code->freq, code->lengths, code->codes), 0u);
    code->freq[300] = 9;
    EXPECT_EQ(tree->Make(code->freq, code->lengths, code->codes), 300u);
    EXPECT_EQ(code->lengths[300], 0) << "a lone symbol costs no bits";
}

}  // namespace
