// The expander on a segment set of three disks built in the test, with the distribution folder as
// the current directory, as setup.exe meets it.
#include "state/Global.h"
#include "app/config/SetupConfig.h"
#include "bootstrap/Unzip1.h"
#include "port/FileSystem.h"
#include "segment/tests/ScriptedInteraction.h"
#include "testsupport/ScratchDir.h"
#include "ui/Application.h"
#include "ui/tests/DialogMoment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

std::string RandomBytes(std::size_t n)
{
    std::mt19937 rng(9);
    std::string s(n, '\0');
    for (char& ch : s) ch = static_cast<char>(rng() & 0xFF);
    return s;
}

// Answers every message box of this thread with OK and keeps its text.
std::vector<std::string> boxTexts;

BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || IsWindowVisible(window) == FALSE) return TRUE;
    char text[256] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    boxTexts.emplace_back(text);
    SendMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

class Unzip : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string dist = dir / "dist\\";
    std::string payload = dir / "payload\\";
    std::string data = RandomBytes(40000);
    ScriptedInteraction dialogs;
    std::vector<std::string> loads;
    std::string previousDir = port::CurrentDir();
    UINT_PTR timer = 0;

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

        port::SetCurrentDir(dist);
        InitGlobals();
        Global.TempDir = dir / "temp\\z2000_010203\\";
        Global.SegmentTempDir = dir / "segtmp\\";
        boxTexts.clear();
        timer = SetTimer(nullptr, 0, 50, AnswerBoxes);
    }

    void TearDown() override
    {
        KillTimer(nullptr, timer);
        port::SetCurrentDir(previousDir);
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
            ApplyToGlobals(ReadSetupConfig(where), Global);
        };
    }

    void Expand()
    {
        TUNZIP unzip(Loader(), &dialogs);
        unzip.Show();
        unzip.ExpandSupportFiles();
        progressMax = unzip.ProgressBar1.Max();
        shownAfter = unzip.Visible();
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

    int progressMax = 0;
    bool shownAfter = true;
};

TEST_F(Unzip, EveryFileLandsInTempDirUnderItsBareName)
{
    Expand();
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_TRUE(boxTexts.empty()) << "no disk was asked for";
    EXPECT_TRUE(dialogs.Complaints.empty());
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"data.bin", "finstall.cfg", "install.cfg", "license.txt",
                                                     "setup.exe", "x.txt"}));
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "data.bin"), data);
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "setup.exe"), "MZ not really");
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
    EXPECT_EQ(boxTexts, std::vector<std::string>(2, "Please Insert Disk #2 into Floppy Drive."));
    ASSERT_EQ(dialogs.Complaints.size(), 1U);
    EXPECT_NE(dialogs.Complaints[0].find("\"disk.002\""), std::string::npos) << dialogs.Complaints[0];
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_EQ(ScratchDir::Read(Global.TempDir + "data.bin"), data);
}

TEST_F(Unzip, ARetryOfTheFirstDiskLoadsAndCopiesAgain)
{
    InsertWhenLocateAsks("disk.001");
    Expand();
    EXPECT_EQ(boxTexts, std::vector<std::string>(2, "Please Insert Disk #1 into Floppy Drive."));
    EXPECT_EQ(loads, (std::vector<std::string>{Global.SourceDir, Global.SourceDir, Global.TempDir}));
    EXPECT_FALSE(Global.ExpandFailed);
}

TEST_F(Unzip, ACorruptSegmentEndsTheRunWithOneMessage)
{
    ScratchDir::Write(dist + "disk.002", "not a segment at all");
    Expand();
    EXPECT_TRUE(Global.ExpandFailed);
    EXPECT_EQ(boxTexts, std::vector<std::string>{"Error Expanding Files!!"});
    EXPECT_TRUE(Application::Terminated());
    EXPECT_TRUE(shownAfter) << "the form stays until the program ends";
    LeaveNoQuitRequest();
}

// The window where the expansion stopped, as it stays until the program ends: laid out, painted whole, and the
// same as a new window shown first with the progress at that point. The picture: screenshots/expander.png.
TEST_F(Unzip, TheWindowWhereTheExpansionStoppedLooksAsWhenShownFirst)
{
    KillTimer(nullptr, timer);  // the moment answers the message itself
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
