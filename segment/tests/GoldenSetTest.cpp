// The golden set (data/golden-set, described in data/golden-set.md): two archives in two segments,
// assembled byte by byte. Our reader must take every block field from it as the tables say and expand
// it; our writer, given the same files, dates and settings, must write the same two segment files.
#include <gtest/gtest.h>

#include <filesystem>

#include "port/FileSystem.h"
#include "segment/SegCompEZ.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/FileDates.h"
#include "testsupport/GoldenBytes.h"
#include "testsupport/ScratchDir.h"

namespace {

const std::string kSetDir = std::string(SEGMENT_GOLDEN_DIR) + "\\golden-set\\";
const LocalDate kBigDate{2001, 5, 6, 12, 34, 56};
const LocalDate kNoteDate{2024, 2, 29, 8, 0, 0};

std::string BigFile()
{
    std::string data;
    for (int i = 0; i < 16384; ++i) data += static_cast<char>(i & 0xFF);
    return data;
}

const std::string kNote = "Second archive: " + std::string(20, 'z') + ".\r\n";

const unsigned char* At(const std::string& bytes, std::size_t offset)
{
    return reinterpret_cast<const unsigned char*>(bytes.data() + offset);
}

TEST(GoldenSet, TheReaderTakesEveryBlockFieldFromItsBytes)
{
    const std::string one = GoldenFile(kSetDir, "disk.001");
    const std::string two = GoldenFile(kSetDir, "disk.002");
    ASSERT_EQ(one.size(), 16384u);
    ASSERT_EQ(two.size(), 375u);
    for (const auto& [segment, number] : {std::pair{one, 1}, std::pair{two, 2}}) {
        const TSegIdHeader id = TSegIdHeader::Decode(At(segment, 0));
        EXPECT_EQ(id.Id, TSegIdHeader::kId);
        EXPECT_EQ(id.Reserved4, 0);
        EXPECT_EQ(id.SegNumber, number);
    }
    const std::string stream = one.substr(8) + two.substr(8);
    const TSegHeader header = TSegHeader::Decode(At(stream, 0));
    EXPECT_EQ(header.Id, TSegHeader::kId);
    EXPECT_EQ(header.ArchiveCount, 2);
    EXPECT_EQ(header.Flags, 0);
    EXPECT_EQ(header.Reserved9, (std::array<unsigned char, 12>{}));

    const struct {
        std::size_t at;
        std::string name;
        std::int32_t recordLength, listSize;
    } scans[] = {{21, "one\\*.*", 7, 64}, {109, "two\\*.*", 8, 65}};
    for (const auto& scan : scans) {
        const TScanHeader h = TScanHeader::Decode(At(stream, scan.at));
        EXPECT_EQ(h.Id, TScanHeader::kId);
        EXPECT_EQ(h.NameLength, 7);
        EXPECT_EQ(stream.substr(scan.at + TScanHeader::kSize, 7), scan.name);
        EXPECT_EQ(h.ScanByte, coRLE);
        EXPECT_EQ(h.RecordLength, scan.recordLength);
        EXPECT_EQ(h.ListSize, scan.listSize);
        EXPECT_EQ(stream.substr(scan.at + 24, 5), std::string("CMPR\x1A", 5)) << "the list is an archive";
    }
    const struct {
        std::size_t at;
        std::uint16_t sequence;
        std::int32_t size;
    } archives[] = {{198, 0, 16437}, {16651, 1, 76}};
    for (const auto& archive : archives) {
        const TSegArcHeader h = TSegArcHeader::Decode(At(stream, archive.at));
        EXPECT_EQ(h.Id, TSegArcHeader::kId);
        EXPECT_EQ(h.Sequence, archive.sequence);
        EXPECT_EQ(h.Reserved8, 0u);
        EXPECT_EQ(h.DataSize, archive.size);
    }
    EXPECT_EQ(stream.size(), 16651u + 16 + 76) << "nothing after the last archive";
}

TEST(GoldenSet, TheReaderExpandsBothArchivesAcrossTheSegments)
{
    ScratchDir dir;
    TSegCompEZ c;
    c.SegPopUp = false;
    c.SetSegBaseName("disk");
    c.SetSegDir(kSetDir);
    c.SetSegTmpDir(dir / "tmp");
    c.OnSegBeforeExpand = [&](TSegArcList& list) {
        for (TSegArc& arc : list) arc.Path = dir / ("out\\" + std::to_string(arc.Sequence) + "\\");
    };
    c.SegExpand();
    EXPECT_EQ(c.SegSource, (std::vector<std::string>{"one\\*.*", "two\\*.*"}));
    ASSERT_EQ(c.SegArcList.Count(), 2u);
    EXPECT_EQ(c.SegArcList[0].ScanByte, coRLE);
    EXPECT_EQ(ScratchDir::Read(dir / "out\\0\\big.bin"), BigFile());
    EXPECT_EQ(ScratchDir::Read(dir / "out\\1\\note.txt"), kNote);
    EXPECT_EQ(LastWrite(dir / "out\\0\\big.bin"), kBigDate);
    EXPECT_EQ(LastWrite(dir / "out\\1\\note.txt"), kNoteDate);
}

TEST(GoldenSet, TheWriterGivenTheSameFilesWritesTheSameSegments)
{
    ScratchDir dir;
    port::MakeDir(dir / "one");
    port::MakeDir(dir / "two");
    ScratchDir::Write(dir / "one\\big.bin", BigFile());
    ScratchDir::Write(dir / "two\\note.txt", kNote);
    ASSERT_TRUE(SetLastWrite(dir / "one\\big.bin", kBigDate));
    ASSERT_TRUE(SetLastWrite(dir / "two\\note.txt", kNoteDate));
    for (const char* file : {"one\\big.bin", "two\\note.txt"}) port::ApplyAttributes(dir / file, 0x20);
    TSegCompEZ c;
    c.SetSegBaseName("disk");
    c.SetSegDir(dir / "set");
    c.SetSegTmpDir(dir / "tmp");
    c.SetSegSize(16384);
    c.SegCompType = coRLE;
    c.SegSource = {"one\\*.*", "two\\*.*"};  // relative: the templates travel in the set
    {
        InDirectory inScratch(dir.Path());
        c.SegBuild();
    }

    // The attributes of the two list entries and of the two files, where this platform's files carry them.
    const std::string one = WithCarriedAttributes(GoldenFile(kSetDir, "disk.001"), {8 + 72, 8 + 160, 8 + 241});
    const std::string two = WithCarriedAttributes(GoldenFile(kSetDir, "disk.002"), {326});
    EXPECT_TRUE(ScratchDir::Read(dir / "set\\disk.001") == one) << "segment 1 differs";
    EXPECT_TRUE(ScratchDir::Read(dir / "set\\disk.002") == two) << "segment 2 differs";
    EXPECT_FALSE(port::FileExists(dir / "set\\disk.003"));
}

}  // namespace
