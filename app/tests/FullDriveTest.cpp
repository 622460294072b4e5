// The small drive S: (cmake/fault-drive.sh, 1 MB) filled up by an expansion and by an installation: each
// stops with a message naming the file it could not write, no truncated installed file is left, and
// what was done before stays, with the record that lets the uninstaller take it away.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "InstallRun.h"
#include "InstallTestSupport.h"
#include "app/install/UninstallKey.h"
#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "config/TextFields.h"
#include "port/Exception.h"
#include "segment/SegCompEZ.h"
#include "settings/Registry.h"
#include "testsupport/compress/ArchiveBuilder.h"
#include "testsupport/win32/SmallDrive.h"

namespace {

const std::string kDrive = kSmallDrive;
const std::string kBig(1536 * 1024, 'b');  // half as much again as the drive holds

class FullDrive : public InstallRun {
protected:
    void SetUp() override
    {
        if (const std::string missing = SmallDriveMissing(); !missing.empty()) GTEST_SKIP() << missing;
        Empty();
    }
    void TearDown() override { Empty(); }

    static void Empty()
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(kDrive, ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }

    // The message an expansion of small.txt and then big.bin into S:\ stopped with.
    std::string ExpansionOutcome(bool checkSpace) const
    {
        ArchiveBuilder archive;
        archive.Add("small.txt", "fits");
        archive.Add("big.bin", kBig);
        return ExpansionOutcome(archive, checkSpace);
    }

    // The message an expansion of archive into S:\ stopped with, or "expanded".
    std::string ExpansionOutcome(const ArchiveBuilder& archive, bool checkSpace) const
    {
        const std::string path = scratch_ / "expanded.cmp";
        ScratchDir::Write(path, archive.Bytes());
        TCompress c;
        c.CheckSpaceBeforeExpand = checkSpace;
        c.SetTargetPath(kDrive);
        try {
            c.ExpandArchive(path, nullptr);
        } catch (const Exception& error) {
            return error.what();
        }
        return "expanded";
    }
};

TEST_F(FullDrive, ExpansionStopsNamingTheFile)
{
    EXPECT_EQ(ExpansionOutcome(true), "Not enough disk space to expand S:\\big.bin");
    EXPECT_FALSE(FileExists("S:\\big.bin")) << "nothing of the entry is written";
    EXPECT_EQ(ScratchDir::Read("S:\\small.txt"), "fits") << "earlier files stay";
    Empty();
    const std::string unchecked = ExpansionOutcome(false);
    EXPECT_EQ(unchecked.rfind("Cannot write S:\\big.bin: ", 0), 0u) << unchecked;
    EXPECT_EQ(ScratchDir::Read("S:\\small.txt"), "fits");
}

// An entry whose size the archive declares near the format's limit is refused on that figure, before a byte of it
// is written, and the figure of a file about to be replaced counts the room that file frees.
TEST_F(FullDrive, TheSpaceTestGoesByTheDeclaredSizeAndCountsTheFileReplaced)
{
    ArchiveBuilder archive;
    archive.Add("huge.txt", "tiny").ExpandedSize = 2147483000;
    EXPECT_EQ(ExpansionOutcome(archive, true), "Not enough disk space to expand S:\\huge.txt");
    EXPECT_FALSE(FileExists("S:\\huge.txt"));

    TCompress c;
    c.CheckSpaceBeforeExpand = true;
    const std::int32_t free = c.AvailableSpaceFor("S:\\new.bin");
    EXPECT_GT(free, 0);
    EXPECT_LE(free, 1 << 20) << "the drive's own figure";
    ScratchDir::Write("S:\\old.bin", std::string(256 << 10, 'x'));
    EXPECT_NEAR(static_cast<double>(c.AvailableSpaceFor("S:\\old.bin") - c.AvailableSpaceFor("S:\\new.bin")), 256 << 10,
                1 << 12);
}

// As the setup program expands its set: the scratch copy of the archive and the files on one drive.
TEST_F(FullDrive, SetExpansionStopsNamingTheFileAndLeavesNoScratchFile)
{
    const std::string src = scratch_ / "src\\";
    CreateDirectoryA(src.c_str(), nullptr);
    ScratchDir::Write(src + "big.bin", kBig);
    TSegCompEZ c;
    c.SegPopUp = false;
    c.SetSegBaseName("disk");
    c.SetSegDir(scratch_ / "");
    c.SetSegTmpDir(scratch_ / "tmp");
    c.SegCompType = coNone;
    c.SegSource = {src + "*.*"};
    c.SegBuild();
    c.SetSegTmpDir(kDrive + "tmp");
    c.OnSegBeforeExpand = [](TSegArcList& list) {
        for (TSegArc& arc : list) arc.Path = kDrive + "out\\";
    };
    try {
        c.SegExpand();
        FAIL() << "a full drive was reported as an expanded set";
    } catch (const Exception& error) {
        // The scratch copy of the archive is the first to fill the drive.
        EXPECT_EQ(UpperCase(error.what()).rfind("CANNOT WRITE S:\\TMP\\DISK.$A$: ", 0), 0u) << error.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(kDrive + "tmp")) << "the scratch copy is deleted";
}

// Over an earlier file of the destination: the file replaced is moved aside to another drive (the backups' folder is
// on C:) and comes back when the run is undone.
TEST_F(FullDrive, InstallationStopsNamingTheFileAndPutsTheDriveBackAsItWas)
{
    choices.InstallDir = kDrive + "App";
    CreateDirectoryA(AppDir().c_str(), nullptr);
    ScratchDir::Write(AppDir() + "small.txt", "the earlier small.txt");
    Support("small.txt", "fits");
    Support("big.bin", kBig);
    const std::string big = AppDir() + "big.bin";
    try {
        Install({"Installation Directory,C:\\small.txt", "Installation Directory,C:\\big.bin"});
        FAIL() << "a full drive was reported as a finished installation";
    } catch (const Exception& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Cannot write " + big + ": ", 0), 0u) << message;
        EXPECT_NE(message.find("has been undone. The computer is as it was before."), std::string::npos) << message;
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(ScratchDir::Native(AppDir())))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"small.txt"}) << "no record, no copy, no staging file";
    EXPECT_EQ(ScratchDir::Read(AppDir() + "small.txt"), "the earlier small.txt");
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath(kTitle)));
}

}  // namespace
