#include <gtest/gtest.h>

#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "testsupport/compress/CodecRun.h"
#include "compress/tests/LzhufSymbols.h"
#include "compress/tests/PeerTools.h"
#include "testsupport/TestBytes.h"

namespace {

void ExpectLhasaExtracts(const Bytes& packed, const Bytes& original, const std::string& what)
{
    const std::optional<Bytes> extracted = ExtractedByPeer("lhasa xqf", "-lh1-", packed, original);
    ASSERT_TRUE(extracted.has_value()) << what << ": lhasa failed";
    EXPECT_TRUE(*extracted == original) << what;
}

class LzhufInterop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string missing = PeerMissing("lhasa", "lhasa"); !missing.empty()) GTEST_SKIP() << missing;
    }
};

TEST_F(LzhufInterop, LhasaExtractsWhatWeCode)
{
    Bytes mixed = TextBytes(30000, 4);
    const Bytes noise = RandomBytes(20000, 4);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    mixed.insert(mixed.end(), 5000, 'q');
    const std::vector<std::pair<std::string, Bytes>> inputs = {
        {"GPL-2", DebianText("GPL-2")},
        {"Debian's licence texts", DebianTexts()},
        {"text, noise and a run", mixed},
        {"4,097 bytes of text", TextBytes(4097, 5)},
        {"one byte", Bytes{0x7F}},
        {"nothing", Bytes{}},
    };
    for (const auto& [what, input] : inputs) ExpectLhasaExtracts(Compress(EncodeLZH, input), input, what);
}

TEST_F(LzhufInterop, LhasaReadsCodesLongerThanSixteenBits)
{
    const std::vector<LzhufSymbol> symbols = DeepCodeLiterals();
    const LzhufStream stream = LzhufCode(symbols);
    ASSERT_GT(stream.longestCode, 16);
    ExpectLhasaExtracts(stream.bytes, LiteralBytes(symbols), "literals with deep codes");
}

}  // namespace
