#include "compress/archive/ArchiveFormat.h"

#include <gtest/gtest.h>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/MemoryStream.h"

namespace {

MemoryStream StreamOf(const std::vector<unsigned char>& bytes) { return MemoryStream(bytes); }

std::vector<unsigned char> HeaderBytes(const std::string& id, std::int32_t total, std::uint8_t type)
{
    TArchiveHeader h;
    h.MethodId = id;
    h.TotalSize = total;
    h.ArchiveType = type;
    const auto bytes = h.Encode();
    return {bytes.begin(), bytes.end()};
}

TEST(ArchiveFormat, HeadersRoundTripLittleEndian)
{
    TEntryHeader e;
    e.NameLength = 7;
    e.FileDate = 0x24EF6DAF;
    e.Attributes = 0x21;
    e.ExpandedSize = 0x01020304;
    e.CompressedSize = 99;
    e.Method = coLZH5;
    e.Checksum = -5;
    e.LockType = 2;
    const auto bytes = e.Encode();
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(bytes[8], 0x04);
    EXPECT_EQ(bytes[11], 0x01);
    EXPECT_EQ(bytes[16], 4);
    EXPECT_EQ(bytes[17], 0xFB);
    const TEntryHeader back = TEntryHeader::Decode(bytes);
    EXPECT_EQ(back.FileDate, e.FileDate);
    EXPECT_EQ(back.Checksum, -5);
    EXPECT_EQ(back.LockType, 2);

    const auto header = HeaderBytes("LH5", 1234, caMulti);
    ASSERT_EQ(header.size(), 21u);
    EXPECT_EQ(std::string(header.begin(), header.begin() + 8), std::string("CMPR\x1A" "LH5"));
    EXPECT_EQ(header[8], 1234 & 0xFF);
    EXPECT_EQ(header[12], 1);
}

TEST(ArchiveFormat, BuiltHeaderIsLockedOnlyForAPositiveKey)
{
    TCompress c;
    EXPECT_EQ(c.BuildArchiveHeader("LZH", 5, caMulti).LockType, 0);
    c.Key = 77;
    EXPECT_EQ(c.BuildArchiveHeader("LZH", 5, caMulti).LockType, 2);
    c.Key = -77;
    EXPECT_EQ(c.BuildArchiveHeader("LZH", 5, caMulti).LockType, 0);
}

TEST(ArchiveFormat, ShortStreamsReadAsAnEmptyArchive)
{
    TCompress c;
    for (std::size_t n : {0u, 1u, 20u}) {
        MemoryStream s = StreamOf(std::vector<unsigned char>(n, 0xEE));
        const TArchiveHeader h = c.ReadArchiveHeader(s);
        EXPECT_EQ(h.TotalSize, 0) << n;
        EXPECT_EQ(h.ArchiveType, caMulti) << n;
    }
}

TEST(ArchiveFormat, HeaderValidationRaisesTheRightExceptions)
{
    TCompress c;
    MemoryStream bad = StreamOf(std::vector<unsigned char>(21, 'x'));
    EXPECT_THROW(c.ReadArchiveHeader(bad), EInvalidHeader);
    for (const std::uint8_t type : {std::uint8_t{0}, std::uint8_t{2}}) {
        MemoryStream s = StreamOf(HeaderBytes("NON", 0, type));
        EXPECT_THROW(c.ReadArchiveHeader(s), EInvalidHeaderArchiveType);
    }
    MemoryStream lower = StreamOf(HeaderBytes("lh5", 0, caMulti));
    try {
        c.ReadArchiveHeader(lower);
        FAIL() << "a lower-case identifier was recognised";
    } catch (const EUnrecognizedCompressionMethod& e) {
        EXPECT_STREQ(e.what(), "Unrecognized compression method: \"lh5\" in header");
    }
}

TEST(ArchiveFormat, MethodsAreRecognisedByTableThenByHandler)
{
    TCompress c;
    for (std::uint8_t i = 0; i < kMethodIds.size(); ++i) EXPECT_EQ(c.RecognizeMethod(kMethodIds[i]), i);
    EXPECT_THROW(c.RecognizeMethod("ZIP"), EUnrecognizedCompressionMethod);
    std::string asked;
    c.OnRecognize = [&](const std::string& id, bool& recognized) {
        asked = id;
        recognized = id == "ZIP";
    };
    EXPECT_EQ(c.RecognizeMethod("ZIP"), coCustom);
    EXPECT_EQ(asked, "ZIP");
    EXPECT_THROW(c.RecognizeMethod("ARJ"), EUnrecognizedCompressionMethod);
}

TEST(ArchiveFormat, EntriesCutShortOrImpossibleEndTheArchive)
{
    TEntryHeader e;
    e.NameLength = 10;
    const auto bytes = e.Encode();
    std::vector<unsigned char> cut(bytes.begin(), bytes.end());
    cut.insert(cut.end(), {'a', 'b', 'c'});
    MemoryStream nameCut = StreamOf(cut);
    EXPECT_FALSE(ReadEntryHeader(nameCut).has_value());
    MemoryStream headerCut = StreamOf(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 24));
    EXPECT_FALSE(ReadEntryHeader(headerCut).has_value());

    e.NameLength = 0;
    e.CompressedSize = -25;  // would step back onto its own header for ever
    const auto negative = e.Encode();
    MemoryStream loop = StreamOf({negative.begin(), negative.end()});
    EXPECT_FALSE(ReadEntryHeader(loop).has_value());
}

TEST(ArchiveFormat, ChecksumIsTheByteSum)
{
    const unsigned char abc[] = {0x61, 0x62, 0x63};
    EXPECT_EQ(ByteSum(abc, 3), 294u);
    EXPECT_EQ(ByteSum(abc, 0), 0u);
    const std::vector<unsigned char> big(20000000, 0xFF);
    EXPECT_EQ(ByteSum(big.data(), big.size()), 20000000u * 255u) << "sums modulo 2^32";
}

}  // namespace
