// The install, finish and uninstall runs driven through the screen's own buttons, into a scratch folder.
#include "app/install/JournalUndo.h"
#include "app/install/UninstallKey.h"
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "app/tests/InstallModeScreen.h"
#include "state/Global.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstallTestSupport.h"
#include "testsupport/ui/WhenShown.h"

namespace {

const char* const kTitle = "Setup Tests Screen";

class ScreenRun : public InstallModeScreen {
protected:
    // An install-mode screen on Page3 with the support files and a one-file plan in a scratch TempDir.
    void Open(TDisplayScreen& screen, const std::string& installDir)
    {
        screen.ExpandSupportFiles = [this] {
            Global.TempDir = temp_;
            Global.TempFiles = {"setup.exe", "install.cfg", "finstall.cfg", "readme.txt"};
            Global.InstallFiles = {"Installation Directory,C:\\src\\readme.txt"};
            Global.InstallSettings.LaunchApplication = "<InstallDir>\\readme.txt";
        };
        screen.Show();
        screen.TextInfo1.SetText(kTitle);
        screen.Main_Dir.SetText(installDir);
        ASSERT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
    }

    const std::string temp_ = scratch / "Temp\\";
    const std::string app_ = scratch / "App\\";
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
        Open(screen, scratch / "App");
        for (int click = 0; click < 3; ++click) screen.Next1.Click();

        EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Finished));
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
    TCommandLine line;
    line.Arguments = {"Setup", "Tests", "Screen"};
    TDisplayScreen uninstaller(line);
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

// The install page has no button: a stopped run, undone, shows its message and closes the screen instead of staying.
TEST_F(ScreenRun, AFailedInstallShowsItsMessageAndClosesTheScreen)
{
    ScratchDir::Write(scratch / "file", "not a directory");
    TDisplayScreen screen({});
    Open(screen, scratch / "file\\App\\");
    screen.Next1.Click();
    screen.Next1.Click();
    TBoxAnswers boxes;
    screen.Next1.Click();
    EXPECT_EQ(boxes.Texts, std::vector<std::string>{
                               UndoneMessage("Unable to write to " + scratch / "file\\App\\uninstaller.cfg", {})});
    EXPECT_EQ(GetFileAttributesA(temp_.c_str()), INVALID_FILE_ATTRIBUTES) << "the scratch folder goes with the undo";
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Install)) << "never on to Finished";
    EXPECT_FALSE(IsWindowVisible(screen.Handle()));
    EXPECT_EQ(screen.Wizard.Width(), 300);
    EXPECT_EQ(screen.Wizard.Height(), 130);
    EXPECT_EQ(screen.Wizard.Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - 150);
    EXPECT_EQ(screen.Wizard.Top(), screen.TextInfo4.Top() - 130 - 15) << "just above the bottom line";
}

}  // namespace
