// lhasa reading a stream of deep codes that only a hand-made stream holds; lhasa extracting what the -lh1-
// encoder writes: Interop.PeersExtractWhatWeWrite.
#include <gtest/gtest.h>

#include <string>

#include "compress/tests/LzhufSymbols.h"
#include "compress/tests/PeerTools.h"
#include "testsupport/compress/CodecRun.h"

namespace {

TEST(LzhufInterop, LhasaReadsCodesLongerThanSixteenBits)
{
    if (const std::string missing = PeerMissing("lhasa", "lhasa"); !missing.empty()) GTEST_SKIP() << missing;
    const std::vector<LzhufSymbol> symbols = DeepCodeLiterals();
    const LzhufStream stream = LzhufCode(symbols);
    ASSERT_GT(stream.longestCode, 16);
    const Bytes original = LiteralBytes(symbols);
    EXPECT_EQ(ExtractedByPeer("lhasa xqf", "-lh1-", stream.bytes, original), original);
}

}  // namespace
