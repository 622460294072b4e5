#include <gtest/gtest.h>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/compress/ArchiveBuilder.h"

namespace {

class Expansion : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string archive = dir / "test.cmp";
    TCompress c;

    void SetUp() override { c.SetTargetPath(dir / "out"); }
    std::string Out(const std::string& name) const { return dir / ("out\\" + name); }
    std::vector<std::string> ExpandListed(std::vector<std::string> list)
    {
        c.ExpandArchive(archive, &list);
        return list;
    }
};

TEST_F(Expansion, TargetPathGainsOneTrailingBackslash)
{
    c.SetTargetPath("C:\\dir");
    EXPECT_EQ(c.TargetPath(), "C:\\dir\\");
    c.SetTargetPath("C:\\dir\\");
    EXPECT_EQ(c.TargetPath(), "C:\\dir\\");
    c.SetTargetPath("");
    EXPECT_EQ(c.TargetPath(), "");
}

TEST_F(Expansion, ExpandsEveryEntryWithDatesDirectoriesAndAttributes)
{
    ArchiveBuilder b;
    b.Add("a.txt", "alpha");
    b.Add("sub\\deeper\\b.txt", "bravo");
    b.Add("empty.txt", "");
    b.Add("ro.txt", "read only").Attributes = port::faReadOnly;
    b.WriteTo(archive);
    c.MakeDirectories = true;
    c.ExpandArchive(archive, nullptr);
    EXPECT_EQ(ScratchDir::Read(Out("a.txt")), "alpha");
    EXPECT_EQ(ScratchDir::Read(Out("sub\\deeper\\b.txt")), "bravo");
    EXPECT_TRUE(port::FileExists(Out("empty.txt")));
    EXPECT_TRUE(port::Attributes(Out("ro.txt")) & port::faReadOnly);
    FileStream dated(Out("a.txt"), FileMode::OpenRead);
    EXPECT_EQ(dated.DosDateTime(), (0x24EFu << 16) | 0x6DAFu);
}

TEST_F(Expansion, AListChoosesEntriesWithoutRegardToCaseAndComesBackAsPaths)
{
    ArchiveBuilder b;
    b.Add("one.txt", "1");
    b.Add("Two.txt", "2");
    b.Add("three.txt", "3");
    b.WriteTo(archive);
    port::MakeDir(dir / "out");
    EXPECT_EQ(ExpandListed({"THREE.TXT", "two.txt"}), (std::vector<std::string>{Out("Two.txt"), Out("three.txt")}));
    EXPECT_FALSE(port::FileExists(Out("one.txt")));
    EXPECT_TRUE(ExpandListed({"none.txt"}).empty());
}

TEST_F(Expansion, TotalSizeBoundsTheEntriesRead)
{
    ArchiveBuilder zero("NON", 0);
    zero.Add("a.txt", "");
    zero.WriteTo(archive);
    port::MakeDir(dir / "out");
    EXPECT_TRUE(ExpandListed({"a.txt"}).empty()) << "a total of 0 expands nothing";

    ArchiveBuilder two("NON", 2);
    two.Add("x.txt", "xx");
    two.Add("y.txt", "yy");
    two.WriteTo(archive);
    c.OnCheckFile = [](std::string& path, TCProcessMode mode) {
        EXPECT_EQ(mode, cpExpand);
        if (path.find("x.txt") != std::string::npos) path.clear();
    };
    EXPECT_EQ(ExpandListed({"x.txt", "y.txt"}), (std::vector<std::string>{Out("y.txt")}))
        << "a refused entry does not count towards the total";
}

TEST_F(Expansion, HugeSizesDoNotOverflowTheRunningTotal)
{
    ArchiveBuilder b("NON", 2147483647);
    for (const char* name : {"a", "b", "c"}) {
        TEntryHeader& h = b.Add(name, "x");
        h.ExpandedSize = 2000000000;  // a lie the stored method does not check
        h.Checksum = 0;
    }
    b.WriteTo(archive);
    port::MakeDir(dir / "out");
    EXPECT_EQ(ExpandListed({"a", "b", "c"}), (std::vector<std::string>{Out("a"), Out("b")}))
        << "the total is passed after two entries";
}

// 0 and 30 February name no day: the file keeps the date the system gave it, and the expansion goes on.
TEST_F(Expansion, ImpossibleDatesLeaveTheSystemsDateAndTheExpansionGoesOn)
{
    ArchiveBuilder b;
    b.Add("zero.txt", "zero").FileDate = 0;
    b.Add("feb30.txt", "feb").FileDate = static_cast<std::int32_t>((21u << 25) | (2u << 21) | (30u << 16));
    b.Add("after.txt", "after");
    b.WriteTo(archive);
    ScratchDir::Write(dir / "probe.txt", "now");
    const std::uint32_t now = FileStream(dir / "probe.txt", FileMode::OpenRead).DosDateTime();
    c.MakeDirectories = true;
    c.ExpandArchive(archive, nullptr);
    for (const char* name : {"zero.txt", "feb30.txt"})
        EXPECT_GE(FileStream(Out(name), FileMode::OpenRead).DosDateTime(), now) << name << " keeps the system's date";
    EXPECT_EQ(ScratchDir::Read(Out("after.txt")), "after");
    EXPECT_EQ(FileStream(Out("after.txt"), FileMode::OpenRead).DosDateTime(), (0x24EFu << 16) | 0x6DAFu);
}

// Runs in damaged data could fill a disk before the checksum test speaks: the file ends at its size.
TEST_F(Expansion, ADamagedRunLengthEntryWritesNoMoreThanItsSize)
{
    std::string runs = "A";
    for (int i = 0; i < 1000; ++i) runs += "\x94\xFF";
    ArchiveBuilder b;
    TEntryHeader& h = b.Add("runs.bin", runs);
    h.Method = coRLE;
    h.ExpandedSize = 10;
    b.WriteTo(archive);
    c.MakeDirectories = true;
    EXPECT_THROW(c.ExpandArchive(archive, nullptr), EBadChecksum);
    EXPECT_EQ(ScratchDir::Read(Out("runs.bin")), std::string(10, 'A'));
}

TEST_F(Expansion, CheckHandlerCanRenameAndStop)
{
    ArchiveBuilder b;
    b.Add("a.txt", "a");
    b.Add("b.txt", "b");
    b.Add("c.txt", "c");
    b.WriteTo(archive);
    port::MakeDir(dir / "out");
    c.OnCheckFile = [&](std::string& path, TCProcessMode) {
        if (path == Out("a.txt")) path = Out("renamed.txt");
        if (path == Out("c.txt")) path = "*";
    };
    EXPECT_EQ(ExpandListed({"a.txt", "b.txt", "c.txt"}), (std::vector<std::string>{Out("renamed.txt"), Out("b.txt")}));
    EXPECT_EQ(ScratchDir::Read(Out("renamed.txt")), "a");
    EXPECT_FALSE(port::FileExists(Out("c.txt")));
}

TEST_F(Expansion, ABackslashNameIgnoresTheTargetPath)
{
    std::string absolute = dir / "abs.txt";
    if (absolute.size() > 1 && absolute[1] == ':') absolute.erase(0, 2);  // on the current drive
    for (char& ch : absolute)
        if (ch == '/') ch = '\\';
    ArchiveBuilder b;
    b.Add(absolute, "abs");
    b.WriteTo(archive);
    {
        InDirectory inScratch(dir.Path());  // the current drive is the scratch directory's
        c.ExpandArchive(archive, nullptr);
    }
    EXPECT_EQ(ScratchDir::Read(dir / "abs.txt"), "abs");
}

TEST_F(Expansion, ChecksumAndKeyTests)
{
    port::MakeDir(dir / "out");
    {
        ArchiveBuilder b;
        b.Add("bad.txt", "data").Checksum = 1;
        b.WriteTo(archive);
        EXPECT_THROW(c.ExpandArchive(archive, nullptr), EBadChecksum);
        EXPECT_TRUE(port::FileExists(Out("bad.txt"))) << "the partial file stays";
    }
    {
        ArchiveBuilder b;
        b.Add("zero.txt", "anything").Checksum = 0;
        b.WriteTo(archive);
        EXPECT_NO_THROW(c.ExpandArchive(archive, nullptr)) << "a stored entry with checksum 0 is accepted";
    }
    ArchiveBuilder locked;
    TEntryHeader& h = locked.Add("locked.txt", "abc");
    h.LockType = 1;  // locked, not scrambled, plain sum
    locked.WriteTo(archive);
    try {
        c.ExpandArchive(archive, nullptr);
        FAIL() << "a locked entry expanded without a key";
    } catch (const EInvalidKey& e) {
        EXPECT_STREQ(e.what(), "File locked -- valid key required");
    }
    EXPECT_FALSE(port::FileExists(Out("locked.txt"))) << "the refused file is deleted";
    c.Key = 12345;
    EXPECT_NO_THROW(c.ExpandArchive(archive, nullptr)) << "the plain sum is accepted with any key";

    // Checksum = sum + key: right key accepted, wrong key refused.
    ArchiveBuilder plusKey;
    TEntryHeader& k = plusKey.Add("plus.txt", "abc");
    k.LockType = 1;
    k.Checksum = 294 + 777;
    plusKey.WriteTo(archive);
    c.Key = 777;
    EXPECT_NO_THROW(c.ExpandArchive(archive, nullptr));
    c.Key = 778;
    EXPECT_THROW(c.ExpandArchive(archive, nullptr), EInvalidKey);
}

TEST_F(Expansion, UncreatableDestinationsAreSkippedOrRaised)
{
    ArchiveBuilder b;
    b.Add("missing-dir\\a.txt", "a");
    b.Add("b.txt", "b");
    b.WriteTo(archive);
    port::MakeDir(dir / "out");
    EXPECT_EQ(ExpandListed({"missing-dir\\a.txt", "b.txt"}), (std::vector<std::string>{Out("b.txt")}));
    c.ExceptionOnFileError = true;
    EXPECT_THROW(c.ExpandArchive(archive, nullptr), EFCreateError);
}

// The space test on a drive it can fill: app/tests/FullDriveTest.cpp, on the small drive S:.
TEST_F(Expansion, WithoutTheSpaceTestTheFigureIsUnlimited)
{
    c.CheckSpaceBeforeExpand = false;
    EXPECT_EQ(c.AvailableSpaceFor("anything"), 2147483647);
}

// An entry that no decoder and no handler can expand is refused by name before its file is created: it
// used to become an empty file, passed as expanded when its checksum was 0.
TEST_F(Expansion, CustomEntriesGoToTheHandlerOrAreRefusedByName)
{
    ArchiveBuilder b("ZIP");
    TEntryHeader& custom = b.Add("custom.txt", "XYZW");
    custom.Method = coCustom;
    b.Add("after.txt", "after");
    port::MakeDir(dir / "out");
    c.OnRecognize = [](const std::string& id, bool& ok) { ok = id == "ZIP"; };
    for (const std::int32_t checksum : {'X' + 'Y' + 'Z' + 'W', 0}) {
        custom.Checksum = checksum;
        b.WriteTo(archive);
        try {
            c.ExpandArchive(archive, nullptr);
            FAIL() << "a custom entry without a handler was expanded";
        } catch (const EUnknownEntryMethod& e) {
            EXPECT_NE(std::string(e.what()).find("custom.txt"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("\"ZIP\""), std::string::npos) << e.what();
        }
        EXPECT_FALSE(port::FileExists(Out("custom.txt"))) << "nothing written";
    }
    custom.Method = 9;
    b.WriteTo(archive);
    EXPECT_THROW(c.ExpandArchive(archive, nullptr), EUnknownEntryMethod) << "a method byte past the table";
    custom.Method = coCustom;
    custom.Checksum = 'X' + 'Y' + 'Z' + 'W';
    b.WriteTo(archive);

    c.OnExpand = [](Stream& dest, Stream& source, std::int32_t sourceSize, std::int32_t destSize,
                    const std::string& id, std::int32_t& checksum) {
        EXPECT_EQ(sourceSize, 4);
        EXPECT_EQ(destSize, 4);
        EXPECT_EQ(id, "ZIP");
        char two[2];
        source.ReadBuffer(two, 2);  // reads less than its data: the next entry must not care
        dest.WriteBuffer("XYZW", 4);
        checksum = 'X' + 'Y' + 'Z' + 'W';
    };
    EXPECT_EQ(ExpandListed({"custom.txt", "after.txt"}).size(), 2u);
    EXPECT_EQ(ScratchDir::Read(Out("custom.txt")), "XYZW");
}

TEST_F(Expansion, ScanListsEntriesWithTheirRecords)
{
    ArchiveBuilder b;
    b.Add("a.txt", "alpha");
    TEntryHeader& locked = b.Add("dir\\b.txt", "bravo!");
    locked.LockType = 2;
    b.WriteTo(archive);
    TArchiveList list;
    list.push_back({"kept", {}});
    c.ScanArchive(archive, list);
    ASSERT_EQ(list.size(), 3u) << "appends to what the list holds";
    EXPECT_EQ(list[1].Name, "a.txt");
    EXPECT_EQ(list[1].Info.HeaderOffset, 21);
    EXPECT_EQ(list[1].Info.ExpandedSize, 5);
    EXPECT_FALSE(list[1].Info.Locked);
    EXPECT_EQ(list[2].Name, "dir\\b.txt");
    EXPECT_EQ(list[2].Info.HeaderOffset, 21 + 25 + 5 + 5);
    EXPECT_TRUE(list[2].Info.Locked);

    ScratchDir::Write(archive, std::string(45, 'z'));
    TArchiveList none;
    c.ScanArchive(archive, none);
    EXPECT_TRUE(none.empty()) << "45 bytes cannot hold an entry";
    ArchiveBuilder smallest;
    smallest.Add("", "");
    smallest.WriteTo(archive);
    ASSERT_EQ(ScratchDir::Read(archive).size(), 46u);
    c.ScanArchive(archive, none);
    ASSERT_EQ(none.size(), 1u) << "46 bytes hold one entry with no name and no data";
    EXPECT_EQ(none[0].Name, "");
    EXPECT_THROW(c.ScanArchive(dir / "missing.cmp", none), EFOpenError);
}

TEST_F(Expansion, MakeDirectoryPathCreatesEveryMissingParent)
{
    const std::string deep = dir / "m\\n\\o\\";
    TCompress::MakeDirectoryPath(deep);
    EXPECT_TRUE(port::IsDirectory(dir / "m\\n\\o"));
    EXPECT_NO_THROW(TCompress::MakeDirectoryPath(deep)) << "existing directories are fine";
    EXPECT_NO_THROW(TCompress::MakeDirectoryPath(""));
}

}  // namespace
