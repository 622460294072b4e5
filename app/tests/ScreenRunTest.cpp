// The install, finish and uninstall runs driven through the screen's own buttons, into a scratch folder.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "app/install/UninstallKey.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"

namespace {

const char* const kTitle = "Setup Tests Screen";

class ScreenRun : public ::testing::Test {
protected:
    ScreenRun() { Global.UninstallMode = false; }
    ~ScreenRun() override { Global.UninstallMode = false; }

    // An install-mode screen on Page3 with the support files and a one-file plan in a scratch TempDir.
    void Open(TDisplayScreen& screen, const std::string& installDir)
    {
        screen.ExpandSupportFiles = [this] {
            Global.TempDir = temp_;
            Global.InstallFiles = {"Installation Directory,C:\\src\\readme.txt"};
            Global.InstallSettings.LaunchApplication = "<InstallDir>\\readme.txt";
        };
        screen.Show();
        screen.TextInfo1.SetText(kTitle);
        screen.Main_Dir.SetText(installDir);
        ASSERT_EQ(screen.Notebook1.PageIndex(), 2);
    }

    ScratchDir scratch_;
    const std::string temp_ = scratch_ / "Temp\\";
    const std::string app_ = scratch_ / "App\\";
    Leftovers leftovers_{{{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {}};

    void SetUp() override
    {
        CreateDirectoryA(temp_.c_str(), nullptr);
        for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg", "readme.txt"})
            ScratchDir::Write(temp_ + name, name);
    }
};

TEST_F(ScreenRun, InstallsFinishesAndRemovesThroughTheButtons)
{
    {
        TDisplayScreen screen({});
        Open(screen, scratch_ / "App");
        for (int click = 0; click < 3; ++click) screen.Next1.Click();

        EXPECT_EQ(screen.Notebook1.PageIndex(), 6);
        EXPECT_EQ(screen.Label2.Text(), "Finished");
        EXPECT_TRUE(screen.Image1.Visible());
        EXPECT_TRUE(screen.StepMarks[1]->Visible());
        EXPECT_EQ(screen.RxLabel3.Text(), kTitle);
        EXPECT_EQ(screen.LaunchIt.Text(), app_ + "readme.txt") << "the typed destination had no backslash";
        EXPECT_FALSE(screen.Panel1.Visible());
        EXPECT_EQ(screen.Wizard.Width(), 440);
        EXPECT_EQ(screen.Wizard.Height(), 230);
        EXPECT_EQ(ScratchDir::Read(app_ + "readme.txt"), "readme.txt");
        EXPECT_TRUE(FileExists(app_ + "setup.exe"));
        EXPECT_TRUE(FileExists(app_ + "uninstaller.cfg"));

        screen.ReturnToWIndows.SetChecked(true);
        screen.Finished1.Click();
        EXPECT_EQ(screen.RxLabel2.Text(), "Install Completed");
        EXPECT_EQ(GetFileAttributesA(temp_.c_str()), INVALID_FILE_ATTRIBUTES) << "the temporary files go";
        EXPECT_FALSE(IsWindowVisible(screen.Handle()));
    }

    Global.UninstallMode = true;
    TDisplayScreen uninstaller({"Setup", "Tests", "Screen"});
    uninstaller.Show();
    ASSERT_EQ(uninstaller.UninstallDir, app_);
    uninstaller.Remove.Click();

    EXPECT_FALSE(IsWindowVisible(uninstaller.Handle())) << "the uninstaller closes when done";
    EXPECT_EQ(uninstaller.Remove.Text(), "Close");
    EXPECT_TRUE(uninstaller.StepMarks[5]->Visible());
    EXPECT_EQ(uninstaller.TextInfo2.Text(), "All Files,Folders and Icons Removed");
    EXPECT_EQ(GetFileAttributesA(app_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle), "UninstallString"), "<no key>");
}

// The message of a stopped run, read and answered with OK from a thread timer while its box is open.
std::string stoppedMessage;

BOOL CALLBACK AnswerOneBox(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || IsWindowVisible(window) == FALSE) return TRUE;
    char text[512] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    stoppedMessage = text;
    SendMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerOneBox, 0);
}

// The install page has no button: a stopped run shows its message and closes the screen instead of staying.
TEST_F(ScreenRun, AFailedInstallShowsItsMessageAndClosesTheScreen)
{
    ScratchDir::Write(scratch_ / "file", "not a directory");
    TDisplayScreen screen({});
    Open(screen, scratch_ / "file\\App\\");
    screen.Next1.Click();
    screen.Next1.Click();
    stoppedMessage.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessageBox);
    screen.Next1.Click();
    KillTimer(nullptr, timer);
    EXPECT_EQ(stoppedMessage, "Unable to write to " + scratch_ / "file\\App\\uninstaller.cfg");
    EXPECT_EQ(screen.Notebook1.PageIndex(), 5) << "never on to Finished";
    EXPECT_FALSE(IsWindowVisible(screen.Handle()));
    EXPECT_EQ(screen.Wizard.Width(), 300);
    EXPECT_EQ(screen.Wizard.Height(), 130);
    EXPECT_EQ(screen.Wizard.Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - 150);
    EXPECT_EQ(screen.Wizard.Top(), screen.TextInfo4.Top() - 130 - 15) << "just above the bottom line";
}

}  // namespace
