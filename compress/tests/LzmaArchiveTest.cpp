#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compress/Compress.h"
#include "port/MemoryStream.h"
#include "testsupport/TestBytes.h"

namespace {

// Progress follows the input consumed, in both directions, and a cancel is answered within one buffer.
TEST(LzmaStreams, ReportProgressByInputAndAnswerACancelWithinOneBuffer)
{
    std::vector<unsigned char> plain = RandomBytes(300000, 12);  // coded about as large: many buffers both ways
    plain.resize(400000, 0);
    const auto size = static_cast<std::int32_t>(plain.size());
    for (const TCodeDirection direction : {TCodeDirection::Compress, TCodeDirection::Expand}) {
        const bool expanding = direction == TCodeDirection::Expand;
        TCompress c;
        c.CompressID = "LZM";
        MemoryStream coded;
        std::int32_t checksum = 0;
        {
            MemoryStream in(plain);
            c.CodeStream(coded, in, false, TCodeDirection::Compress, checksum, coCustom, 0, size);
        }
        const std::vector<unsigned char> input = expanding ? coded.Bytes() : plain;
        const auto inputSize = static_cast<std::int32_t>(input.size());
        std::vector<std::int32_t> seen;
        c.OnShowProgress = [&](std::int32_t& p) { seen.push_back(p); };
        MemoryStream in(input);
        MemoryStream out;
        c.CodeStream(out, in, false, direction, checksum, coCustom, size, inputSize);
        ASSERT_GT(seen.size(), 30u) << "one figure per buffer read";
        EXPECT_EQ(seen.front(), 0);
        EXPECT_EQ(seen.back(), 100);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        if (expanding) {
            EXPECT_EQ(out.Bytes(), plain);
        }

        c.OnShowProgress = [](std::int32_t& p) {
            if (p >= 50 && p < 100) p = -1;
        };
        MemoryStream again(input);
        MemoryStream cancelled;
        c.CodeStream(cancelled, again, false, direction, checksum, coCustom, size, inputSize);
        EXPECT_TRUE(c.Cancelled());
        EXPECT_LE(again.Position(), inputSize / 2 + 2 * 8192) << (expanding ? "expanding" : "compressing");
    }
}

}  // namespace
