// The streams of the shared test data, written by two widely used archivers from the same texts: our
// decoders read them, and our -lh5- encoder writes the very same bytes. Without the data these tests are
// skipped; the live peers (Lh5InteropTest, LzhufInteropTest) check the codecs against Debian's archivers.
#include <gtest/gtest.h>

#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "compress/tests/Lh5Run.h"
#include "testsupport/TestBytes.h"

namespace {

class Lh5PeerStreams : public PeerStreams {};
class LzhufPeerStreams : public PeerStreams {};

TEST_F(Lh5PeerStreams, TheDecoderReadsThem)
{
    for (const char* name : {"gpl2", "long"}) {
        const TBytes text = PeerFile("lzh-peers", std::string(name) + ".txt");
        const TBytes coded = PeerFile("lzh-peers", std::string(name) + ".lh5");
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(RunDecodeLZH5(coded, static_cast<std::int32_t>(text.size())), text) << name;
    }
}

// Which of several equally long matches a finder names is free; these streams pin it for text.
TEST_F(Lh5PeerStreams, TheEncoderWritesTheSameStreams)
{
    for (const char* name : {"gpl2", "long"}) {
        const TBytes text = PeerFile("lzh-peers", std::string(name) + ".txt");
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(RunEncodeLZH5(text), PeerFile("lzh-peers", std::string(name) + ".lh5")) << name;
    }
}

TEST_F(LzhufPeerStreams, TheDecoderReadsThem)
{
    for (const char* name : {"gpl2", "long"}) {
        const Bytes text = PeerFile("lzh-peers", std::string(name) + ".txt");
        const Bytes coded = PeerFile("lzh-peers", std::string(name) + ".lh1");
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_TRUE(Expand(DecodeLZH, coded, static_cast<std::int32_t>(text.size())) == text) << name;
    }
}

}  // namespace
