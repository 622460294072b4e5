// The streams of the shared test data, written by two widely used archivers from the same texts: our
// decoders read them, and our -lh5- encoder writes the very same bytes. Without the data these tests are
// skipped; the live peers (Lh5InteropTest, LzhufInteropTest) check the codecs against Debian's archivers.
#include <gtest/gtest.h>

#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "compress/tests/Lh5Run.h"
#include "testsupport/TestBytes.h"

namespace {

class LzhPeerStreams : public PeerStreams {};

TEST_F(LzhPeerStreams, TheDecodersReadThem)
{
    const std::pair<const char*, void (*)(TCompThreadSafety&, std::int32_t)> decoders[] = {{".lh5", DecodeLZH5},
                                                                                            {".lh1", DecodeLZH}};
    for (const auto& [extension, decoder] : decoders) {
        for (const std::string name : {"gpl2", "long"}) {
            SCOPED_TRACE(name + extension);
            const TBytes text = PeerFile("lzh-peers", name + ".txt");
            ASSERT_FALSE(text.empty());
            const auto size = static_cast<std::int32_t>(text.size());
            EXPECT_TRUE(Expand(decoder, PeerFile("lzh-peers", name + extension), size) == text);
        }
    }
}

// Which of several equally long matches a finder names is free; these streams pin it for text.
TEST_F(LzhPeerStreams, TheEncoderWritesTheSameStreams)
{
    for (const std::string name : {"gpl2", "long"}) {
        const TBytes text = PeerFile("lzh-peers", name + ".txt");
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(RunEncodeLZH5(text), PeerFile("lzh-peers", name + ".lh5")) << name;
    }
}

}  // namespace
