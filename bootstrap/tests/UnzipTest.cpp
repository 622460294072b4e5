// The expander on a segment set of three disks built in the test, with the distribution folder as
// the current directory, as setup.exe meets it.
#include "app/product/SetupConfig.h"
#include "bootstrap/OwnProgram.h"
#include "bootstrap/Unzip1.h"
#include "port/FileSystem.h"
#include "state/Global.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/segment/ScriptedInteraction.h"
#include "testsupport/ui/DialogMoment.h"
#include "testsupport/ui/WhenShown.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

class Unzip : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string dist = dir / "dist\\";
    std::string payload = dir / "payload\\";
    std::string data = RandomBytes<std::string>(40000, 9);
    ScriptedInteraction dialogs;
    TOwnProgram own;  // the test program stands in for setup.exe
    std::vector<std::string> loads;
    std::optional<InDirectory> inDist;
    std::optional<TBoxAnswers> boxes;

    void SetUp() override
    {
        std::filesystem::create_directories(ScratchDir::Native(dist));
        std::filesystem::create_directories(ScratchDir::Native(payload + "sub\\deep"));
        ScratchDir::Write(payload + "license.txt", "Agree.\r\n");
        ScratchDir::Write(payload + "data.bin", data);
        ScratchDir::Write(payload + "sub\\deep\\x.txt", "deep");
        BuildDisks();
        ScratchDir::Write(dist + "setup.exe", "MZ not really");
        ScratchDir::Write(dist + "install.cfg", "[Setup Screen]\r\nText Line 1=Unzip Product\r\n");
        ScratchDir::Write(dist + "finstall.cfg", "Installation Directory,C:\\a.txt\r\nWindows,C:\\b.ini\r\n");

        inDist.emplace(dist);
        InitGlobals();
        std::filesystem::create_directories(ScratchDir::Native(dir / "temp"));
        Global.TempDir = dir / "temp\\z2000_010203\\";
        boxes.emplace();
    }

    void BuildDisks()
    {
        TSegCompEZ builder;
        builder.SegPopUp = false;
        builder.SetSegBaseName("disk");
        builder.SetSegDir(dist);
        builder.SetSegTmpDir(dir / "buildtmp");
        builder.SetSegSize(16384);
        builder.SegCompType = coLZH5;
        builder.SegSource = {payload + "*.*"};
        builder.SegBuild();
        ASSERT_TRUE(port::FileExists(dist + "disk.003"));
        ASSERT_FALSE(port::FileExists(dist + "disk.004"));
    }

    TUNZIP::TLoadSetupConfig Loader()
    {
        return [this](const std::string& where) {
            loads.push_back(where);
            if (expanding != nullptr) progressAtLoads.push_back(expanding->ProgressBar1.Position());
            ApplyToGlobals(ReadSetupConfig(where), Global);
        };
    }

    void Expand()
    {
        TUNZIP unzip(Loader(), &dialogs);
        expanding = &unzip;
        unzip.Show();
        unzip.ExpandSupportFiles();
        progressMax = unzip.ProgressBar1.Max();
        shownAfter = unzip.Visible();
        expanding = nullptr;
    }

    // The disk is missing until the segment reader's locate dialog asks; then it is there and OK pressed.
    void InsertWhenLocateAsks(const std::string& disk)
    {
        const std::string away = dir / disk;
        std::filesystem::rename(ScratchDir::Native(dist + disk), ScratchDir::Native(away));
        dialogs.BeforeComplaintAnswer = [this, away, disk](const std::string&) {
            std::filesystem::rename(ScratchDir::Native(away), ScratchDir::Native(dist + disk));
        };
        dialogs.ComplaintAnswers = {true};
    }

    std::vector<std::string> TempFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(ScratchDir::Native(Global.TempDir)))
            names.push_back(entry.path().filename().string() + (entry.is_directory() ? "\\" : ""));
        std::sort(names.begin(), names.end());
        return names;
    }

    // A failed expansion asks the application to end; the tests that follow must find no such request.
    static void LeaveNoQuitRequest()
    {
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE) {
        }
    }

    TUNZIP* expanding = nullptr;
    std::vector<int> progressAtLoads;
    int progressMax = 0;
    bool shownAfter = true;
};

TEST_F(Unzip, EveryFileLandsInTempDirUnderItsBareName)
{
    Expand();
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_TRUE(boxes->Texts.empty()) << "no disk was asked for";
    EXPECT_TRUE(dialogs.Complaints.empty());
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"data.bin", "finstall.cfg", "install.cfg", "license.txt",
                                                     "setup.exe", "x.txt"}));
    std::vector<std::string> written = Global.TempFiles;
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, TempFiles()) << "the run knows every file it wrote there, by name";
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "data.bin"), data);
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "setup.exe"), ScratchDir::Read(port::ProgramFile()))
        << "the uninstaller to be is the running program, not the setup.exe that lies beside the disks";
    EXPECT_EQ(loads, (std::vector<std::string>{Global.SourceDir, Global.TempDir})) << "once from each";
    EXPECT_EQ(Global.SourceDir, dist);
    EXPECT_EQ(Global.InstallFiles.size(), 2U);
    EXPECT_EQ(progressMax, 4) << "the files to install and two";
    EXPECT_FALSE(shownAfter) << "the form closes";
}

TEST_F(Unzip, AMissingDiskIsAskedForTwiceThenLocatedOnRetry)
{
    InsertWhenLocateAsks("disk.002");
    Expand();
    EXPECT_EQ(boxes->Texts, std::vector<std::string>(2, "Please Insert Disk #2 into Floppy Drive."));
    ASSERT_EQ(dialogs.Complaints.size(), 1U);
    EXPECT_NE(dialogs.Complaints[0].find("\"disk.002\""), std::string::npos) << dialogs.Complaints[0];
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "data.bin"), data);
}

// The disk put in on the retry may carry other support files: they are copied again, and the progress starts
// over. Twenty files to install give the progress room to show it.
TEST_F(Unzip, ARetryOfTheFirstDiskLoadsAndCopiesAgain)
{
    std::string installFiles;
    for (int file = 0; file < 20; ++file) installFiles += "Installation Directory,C:\\" + std::to_string(file) + "\r\n";
    ScratchDir::Write(dist + "finstall.cfg", installFiles);
    InsertWhenLocateAsks("disk.001");
    const auto before = dialogs.BeforeComplaintAnswer;
    dialogs.BeforeComplaintAnswer = [this, before](const std::string& complaint) {
        before(complaint);
        ScratchDir::Write(dist + "install.cfg", "[Setup Screen]\r\nText Line 1=The Disk Put In\r\n");
    };
    Expand();
    EXPECT_EQ(boxes->Texts, std::vector<std::string>(2, "Please Insert Disk #1 into Floppy Drive."));
    EXPECT_EQ(loads, (std::vector<std::string>{Global.SourceDir, Global.SourceDir, Global.TempDir}));
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "install.cfg"), "[Setup Screen]\r\nText Line 1=The Disk Put In\r\n");
    EXPECT_EQ(progressMax, 22);
    EXPECT_EQ(progressAtLoads, (std::vector<int>{0, 3, 6}))
        << "the three support files on each pass; then, from 0 again, those three and the three expanded";
}

TEST_F(Unzip, ACorruptSegmentEndsTheRunWithOneMessage)
{
    ScratchDir::Write(dist + "disk.002", "not a segment at all");
    Expand();
    EXPECT_TRUE(Global.ExpandFailed);
    EXPECT_EQ(boxes->Texts, std::vector<std::string>{"Error Expanding Files!!"});
    EXPECT_TRUE(Application::Terminated());
    EXPECT_TRUE(shownAfter) << "the form stays until the program ends";
    LeaveNoQuitRequest();
}

// The window where the expansion stopped, as it stays until the program ends: laid out, painted whole, and the
// same as a new window shown first with the progress at that point. The picture: screenshots/expander.png.
TEST_F(Unzip, TheWindowWhereTheExpansionStoppedLooksAsWhenShownFirst)
{
    boxes.reset();  // the moment answers the message itself
    ScratchDir::Write(dist + "disk.002", "not a segment at all");
    TUNZIP unzip(Loader(), &dialogs);
    unzip.Show();
    const TDialogMoment stopped = AtDialog(unzip.Handle(), [&] { unzip.ExpandSupportFiles(); }, "OK");
    LeaveNoQuitRequest();
    EXPECT_NE(stopped.Dialog.find("Error Expanding Files!!"), std::string::npos) << stopped.Dialog;
    ASSERT_TRUE(stopped.Picture && stopped.Repainted);
    EXPECT_TRUE(stopped.LayoutFaults.empty()) << stopped.LayoutFaults.front();
    EXPECT_GT(unzip.ProgressBar1.Position(), 0) << "the first disk was expanded";

    TUNZIP first(Loader(), &dialogs);
    first.ProgressBar1.SetRange(0, unzip.ProgressBar1.Max());
    first.ProgressBar1.SetPosition(unzip.ProgressBar1.Position());
    first.Show();
    const TScreenPicture shownFirst = SettledPicture(first.Handle());
    EXPECT_TRUE(shownFirst.SavePng(std::string(SETUP_SCREENSHOT_DIR) + "\\expander.png"));
    EXPECT_EQ(stopped.Repainted->Differences(*stopped.Picture), 0) << "nothing stale where it stopped";
    EXPECT_EQ(stopped.Picture->Differences(shownFirst), 0);
}

}  // namespace
