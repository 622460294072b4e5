// The golden archive (data/golden.cmp, described in data/golden.md): one stored entry, one run-length
// entry and one locked entry, assembled byte by byte. Our reader must take every field from it as the
// tables say, and our writer, given the same files, dates and key, must write the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/FileDates.h"
#include "testsupport/GoldenBytes.h"
#include "testsupport/ScratchDir.h"

namespace {

constexpr std::int32_t kKey = 0x12345678;

struct GoldenEntry {
    std::string name;
    std::string data;
    LocalDate date;
    TCompressedFileInfo info;
};

// Every field of every entry, as the hand-assembled bytes hold them.
const GoldenEntry kEntries[] = {
    {"stored.txt", "stored\x94", {2001, 5, 6, 12, 34, 56},
     {0x2AA6645C, 0x21, 7, 7, coNone, 0x325, 21, false}},
    {"sub\\runs.bin", "AAAAAAAAAA\x94" "BB", {1999, 12, 31, 23, 59, 58},
     {0x279FBF7D, 0x20, 13, 7, coRLE, 0x3A2, 63, false}},
    {"locked.txt", "locked", {2024, 2, 29, 8, 0, 0},
     {0x585D4000, 0x22, 6, 6, coNone, 0x123458EA, 107, true}},
};

std::string Golden() { return GoldenFile(COMPRESS_GOLDEN_DIR, "golden.cmp"); }

std::string Hex(const std::string& bytes)
{
    static const char* const digits = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        text += digits[static_cast<unsigned char>(c) >> 4];
        text += digits[static_cast<unsigned char>(c) & 0x0F];
        text += ' ';
    }
    return text;
}

TEST(GoldenArchive, TheReaderTakesEveryHeaderFieldFromItsBytes)
{
    const std::string bytes = Golden();
    ASSERT_EQ(bytes.size(), 148u);
    std::array<unsigned char, TArchiveHeader::kSize> raw{};
    std::copy_n(bytes.begin(), raw.size(), raw.begin());
    const TArchiveHeader header = TArchiveHeader::Decode(raw);
    EXPECT_EQ(header.Signature, TArchiveHeader::kSignature);
    EXPECT_EQ(header.MethodId, "RLE");
    EXPECT_EQ(header.TotalSize, 26);
    EXPECT_EQ(header.ArchiveType, caMulti);
    EXPECT_EQ(header.LockType, 2) << "written by a component whose key is positive";

    TCompress c;
    TArchiveList list;
    c.ScanArchive(std::string(COMPRESS_GOLDEN_DIR) + "\\golden.cmp", list);
    ASSERT_EQ(list.size(), std::size(kEntries));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TCompressedFileInfo& got = list[i].Info;
        const TCompressedFileInfo& want = kEntries[i].info;
        SCOPED_TRACE(kEntries[i].name);
        EXPECT_EQ(list[i].Name, kEntries[i].name);
        EXPECT_EQ(static_cast<std::uint32_t>(got.FileDate), static_cast<std::uint32_t>(want.FileDate));
        EXPECT_EQ(got.Attributes, want.Attributes);
        EXPECT_EQ(got.ExpandedSize, want.ExpandedSize);
        EXPECT_EQ(got.CompressedSize, want.CompressedSize);
        EXPECT_EQ(got.Method, want.Method);
        EXPECT_EQ(static_cast<std::uint32_t>(got.Checksum), static_cast<std::uint32_t>(want.Checksum));
        EXPECT_EQ(got.HeaderOffset, want.HeaderOffset);
        EXPECT_EQ(got.Locked, want.Locked);
    }
    EXPECT_EQ(Get32(bytes, 107 + 21), 2u) << "the locked entry's LockType: scrambled";
    EXPECT_EQ(Get32(bytes, 21 + 21), 0u);
}

TEST(GoldenArchive, TheReaderExpandsItWithDatesAttributesAndTheKey)
{
    ScratchDir dir;
    TCompress c;
    c.SetTargetPath(dir / "out");
    c.MakeDirectories = true;
    c.Key = kKey;
    std::vector<std::string> written = {"stored.txt", "sub\\runs.bin", "locked.txt"};
    c.ExpandArchive(std::string(COMPRESS_GOLDEN_DIR) + "\\golden.cmp", &written);
    ASSERT_EQ(written.size(), 3u);
    for (const GoldenEntry& entry : kEntries) {
        const std::string path = dir / ("out\\" + entry.name);
        EXPECT_EQ(ScratchDir::Read(path), entry.data) << entry.name;
        EXPECT_EQ(LastWrite(path), entry.date) << entry.name;
        const std::uint32_t carried = CarriedAttributes(entry.info.Attributes) & (port::faReadOnly | port::faHidden);
        EXPECT_EQ(port::Attributes(path) & (port::faReadOnly | port::faHidden), carried) << entry.name;
    }

    TCompress keyless;
    keyless.SetTargetPath(dir / "again");
    keyless.MakeDirectories = true;
    EXPECT_THROW(keyless.ExpandArchive(std::string(COMPRESS_GOLDEN_DIR) + "\\golden.cmp", nullptr), EInvalidKey);
    EXPECT_EQ(ScratchDir::Read(dir / "again\\sub\\runs.bin"), kEntries[1].data) << "the unlocked entries came first";
}

// The stored and run-length entries come from an archive written with RLE and no key, the locked one
// from one written with coNone and the key: our writer gives no archive with both, so each part is
// compared with its place in the golden file, and each archive header with the bytes its key gives.
TEST(GoldenArchive, TheWriterGivenTheSameFilesWritesTheSameBytes)
{
    ScratchDir dir;
    std::vector<TArchiveSource> sources;
    for (const GoldenEntry& entry : kEntries) {
        const std::string path = dir / ("in-" + std::to_string(sources.size()));
        ScratchDir::Write(path, entry.data);
        ASSERT_TRUE(SetLastWrite(path, entry.date));
        port::ApplyAttributes(path, entry.info.Attributes);
        sources.push_back({path, entry.name});
    }
    const auto write = [&](std::vector<TArchiveSource> files, TCompressionMethod method, std::int32_t key) {
        {
            FileStream out(dir / "out.cmp", FileMode::Create);
            TCompress c;
            c.Key = key;
            c.CompressFiles(out, files, method);
        }
        return ScratchDir::Read(dir / "out.cmp");
    };
    const std::string golden = WithCarriedAttributes(Golden(), {21 + 6, 63 + 6, 107 + 6});
    const std::string plain = write({sources[0], sources[1]}, coRLE, 0);
    EXPECT_EQ(Hex(plain.substr(0, 21)), "43 4D 50 52 1A 52 4C 45 14 00 00 00 01 00 00 00 00 00 00 00 00 ");
    EXPECT_EQ(Hex(plain.substr(21)), Hex(golden.substr(21, 107 - 21)));
    const std::string locked = write({sources[2]}, coNone, kKey);
    EXPECT_EQ(Hex(locked.substr(0, 21)), "43 4D 50 52 1A 4E 4F 4E 06 00 00 00 01 00 00 00 00 02 00 00 00 ");
    EXPECT_EQ(locked.substr(17, 4), golden.substr(17, 4)) << "the archive header's LockType";
    EXPECT_EQ(Hex(locked.substr(21)), Hex(golden.substr(107)));
    for (std::size_t i = 0; i < sources.size(); ++i) port::ApplyAttributes(sources[i].Path, 0);
}

}  // namespace
