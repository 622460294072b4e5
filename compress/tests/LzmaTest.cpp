#include <gtest/gtest.h>

#include <string>

#include "compress/CompressExceptions.h"
#include "compress/lzma/Lzma.h"
#include "compress/tests/Lh5Run.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/CodecRun.h"

namespace {

Bytes EncodeWithLzma(const Bytes& input)
{
    return RunCodec([](TCompThreadSafety& s) { EncodeLZMA(s, 0); }, input, true).output;
}

Bytes DecodeWithLzma(const Bytes& coded, std::int32_t expandedSize)
{
    return Expand(DecodeLZMA, coded, expandedSize);
}

std::uint32_t DictionaryOf(const Bytes& coded)
{
    std::uint32_t size = 0;
    for (std::size_t i = 4; i >= 1; --i) size = size << 8 | coded[i];
    return size;
}

// The dictionary the header asks for is never more than the cap, and no more than the smallest the coder offers
// for the input. (Round trips: CodecRoundTrip.EveryKindOfDataComesBackWithAndWithoutAKey.)
TEST(Lzma, TheDictionaryFollowsTheInputsSize)
{
    std::vector<std::pair<std::string, Bytes>> cases = {{"empty", {}},
                                                        {"one byte", {'Q'}},
                                                        {"run of one byte", Bytes(100000, 0x61)},
                                                        {"GPL-2", DebianText("GPL-2")},
                                                        {"Debian's licence texts", DebianTexts()},
                                                        {"text and noise", TextAndNoise(300000)}};
    for (const std::size_t size : {4095u, 4096u, 8191u, 8192u, 8193u, 16384u, 65537u}) {
        cases.push_back({"random " + std::to_string(size), RandomBytes(size, static_cast<std::uint32_t>(size))});
        cases.push_back({"text " + std::to_string(size), TextBytes(size, static_cast<std::uint32_t>(size))});
    }
    for (const auto& [what, data] : cases) {
        const Bytes coded = EncodeWithLzma(data);
        ASSERT_GE(coded.size(), lzma::kHeaderSize) << what;
        EXPECT_LE(DictionaryOf(coded), lzma::kMaxDictionary) << what;
        EXPECT_LE(DictionaryOf(coded), std::max<std::uint32_t>(65536, static_cast<std::uint32_t>(data.size()) * 3 / 2))
            << what << ": the dictionary follows the input's size";
    }
}

// The point of the method: text in a fraction of what -lh5- needs for it.
TEST(Lzma, CodesTextSmallerThanTheLh5Method)
{
    const Bytes& text = DebianTexts();
    EXPECT_LT(EncodeWithLzma(text).size(), RunEncodeLZH5(text).size() * 85 / 100);
}

// Past the dictionary the decoder's window is a ring: a 64 KB dictionary over a megabyte wraps it sixteen times.
TEST(Lzma, ADictionarySmallerThanTheFileWrapsAround)
{
    const Bytes input = TextAndNoise(1 << 20);
    const Bytes coded =
        RunCodec([](TCompThreadSafety& s) { EncodeLZMAWithin(s, 1 << 16); }, input, true).output;
    ASSERT_EQ(DictionaryOf(coded), 1u << 16);
    EXPECT_TRUE(DecodeWithLzma(coded, static_cast<std::int32_t>(input.size())) == input);
}

void ExpectRefused(const Bytes& coded, std::int32_t expandedSize, const std::string& says, const std::string& what)
{
    try {
        DecodeWithLzma(coded, expandedSize);
        ADD_FAILURE() << what << ": expanded";
    } catch (const ELzmaData& e) {
        EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << what << ": " << e.what();
    }
}

// Each refusal says what is wrong; a header is refused before the decoder takes any memory for it.
TEST(Lzma, RefusesHeadersBeyondItsLimitsAndStreamsCutShort)
{
    const Bytes text = DebianText("GPL-2");
    const auto size = static_cast<std::int32_t>(text.size());
    const Bytes coded = EncodeWithLzma(text);
    const auto withHeader = [&](unsigned char properties, std::uint32_t dictionary) {
        Bytes changed = coded;
        changed[0] = properties;
        for (std::size_t i = 0; i < 4; ++i) changed[1 + i] = static_cast<unsigned char>(dictionary >> (8 * i));
        return changed;
    };
    ExpectRefused(withHeader(coded[0], lzma::kMaxDictionary + 1), size, "dictionary of 8388609 bytes", "8 MB + 1");
    ExpectRefused(withHeader(coded[0], 0xFFFFFFFF), size, "dictionary", "4 GB");
    ExpectRefused(withHeader(1 * 9 + 4, 1 << 16), size, "5 literal context and position bits", "lc 4, lp 1");
    ExpectRefused(withHeader(225, 1 << 16), size, "properties", "a properties byte past 9 x 5 x 5");
    for (const std::size_t cut : {std::size_t{0}, std::size_t{3}})
        ExpectRefused(Bytes(coded.begin(), coded.begin() + static_cast<std::ptrdiff_t>(cut)), size, "within their header",
                      "cut at " + std::to_string(cut));
    for (const std::size_t cut : {std::size_t{5}, std::size_t{6}, coded.size() / 2})
        ExpectRefused(Bytes(coded.begin(), coded.begin() + static_cast<std::ptrdiff_t>(cut)), size,
                      " of " + std::to_string(size) + " bytes", "cut at " + std::to_string(cut));
    ExpectRefused(coded, size + 1000, " after ", "an expanded size past the data");
    EXPECT_TRUE(DecodeWithLzma(withHeader(coded[0], 4096), 0).empty()) << "an empty file reads nothing";
}

}  // namespace
