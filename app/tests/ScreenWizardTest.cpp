// The wizard's page flow on the real screen: which page follows which, the buttons offered, and the
// shortcut rows and summary that page Page4 builds.
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "app/tests/InstallModeScreen.h"
#include "app/tests/UninstallEntry.h"
#include "shell/Elevation.h"
#include "shell/ShellFolders.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// An install-mode screen after an expansion into a scratch TempDir; license.txt only when a test writes it.
class WizardFlow : public InstallModeScreen {
protected:
    void Open(bool restartOption)
    {
        screen.ExpandSupportFiles = [this, restartOption] {
            Global.TempDir = scratch.Path();
            Global.InstallSettings.RestartOption = restartOption;
        };
        screen.Show();
    }

    TDisplayScreen screen{{}};
};

TEST_F(WizardFlow, WithoutAgreementOrRestartOptionTheAgreementPageForwardsBothWays)
{
    Open(false);
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
    EXPECT_TRUE(screen.Back1.Visible());
    EXPECT_TRUE(screen.Next1.Visible());
    EXPECT_FALSE(screen.Accept.Visible());
    EXPECT_FALSE(screen.decline.Visible());

    screen.Back1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination)) << "Page2 passes straight on to Page3";
    EXPECT_TRUE(screen.Next1.Visible());
}

TEST_F(WizardFlow, WithRestartOptionTheWelcomeLeadsPastTheMissingAgreement)
{
    Open(true);
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Welcome));
    EXPECT_FALSE(screen.Back1.Visible());
    screen.Next1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
    screen.Back1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
}

TEST_F(WizardFlow, TheAgreementOffersAcceptAndDeclineInsteadOfNextWithBackBesideThem)
{
    ScratchDir::Write(scratch / "license.txt", "Terms\r\n");
    Open(true);
    screen.Next1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Agreement));
    EXPECT_TRUE(screen.Accept.Visible());
    EXPECT_TRUE(screen.decline.Visible());
    EXPECT_FALSE(screen.Next1.Visible());
    EXPECT_TRUE(screen.Back1.Visible());
    // The bar's order, left to right, each button clear of the next.
    const TButton* bar[] = {&screen.Cancel1, &screen.decline, &screen.Accept, &screen.Back1, &screen.Next1};
    for (int left = 0; left < 4; ++left)
        EXPECT_LE(bar[left]->Left() + bar[left]->Width(), bar[left + 1]->Left()) << bar[left]->Text();

    screen.Accept.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
    EXPECT_FALSE(screen.Accept.Visible());
    screen.Back1.Click();
    screen.Back1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Welcome));
    screen.Back1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Welcome)) << "nothing before the first page";

    screen.Next1.Click();
    screen.decline.Click();
    EXPECT_FALSE(IsWindowVisible(screen.Handle())) << "Decline ends the program";
}

TEST_F(WizardFlow, Page4BuildsThreeRowsPerEntryAndTheSummaryOfThatMoment)
{
    Open(false);
    Global.ShortcutEntries = {"Tool,<InstallDir>\\tool.exe,X,,X,,Setup Tests,C:\\src\\tool.ico",
                              "Read me,<InstallDir>\\readme.txt,,X,,,Docs,"};
    screen.Main_Dir.SetText("C:\\Product\\");
    screen.Next1.Click();

    ASSERT_EQ(screen.ListView1.Count(), 6);
    EXPECT_TRUE(screen.ListView1.Checkboxes());
    const char* places[] = {"StartMenu", "Desktop", "Quick Launch"};
    const bool ticks[] = {true, false, true, false, true, false};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(screen.ListView1.ItemText(row, 0), row < 3 ? "Tool" : "Read me");
        EXPECT_EQ(screen.ListView1.ItemText(row, 1), places[row % 3]);
        EXPECT_EQ(screen.ListView1.Checked(row), ticks[row]) << "row " << row;
    }
    const Lines summary{"Install To: C:\\Product\\", "", "Folders:", "Setup Tests: Tool", "Docs: Read me"};
    EXPECT_EQ(screen.Memo3.Lines(), summary);

    // The folder boxes count from the next entry into Page4 on; the rows go back to the configuration then.
    screen.CheckBox2.SetChecked(true);
    screen.ListView1.SetChecked(0, false);
    screen.Next1.Click();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Ready));
    EXPECT_EQ(screen.Memo3.Lines(), summary);
    screen.Back1.Click();
    EXPECT_TRUE(screen.ListView1.Checked(0));
    EXPECT_EQ(screen.ListView1.Count(), 6);
    screen.Next1.Click();
    EXPECT_EQ(screen.Memo3.Lines(), (Lines{"Install To: C:\\Product\\", "", "Folders:", "Setup Tests: Tool",
                                           "Setup Tests Desktop : Tool", "Docs: Read me", "Docs Desktop : Read me"}));
}

// An installation of the product in another folder goes with this one, and the summary says so.
TEST_F(WizardFlow, TheSummaryNamesTheEarlierInstallationThatGoes)
{
    Open(false);
    ScratchDir earlier;
    const std::string title = screen.TextInfo1.Text();
    ScratchDir::Write(earlier / "uninstaller.cfg", "[Name]\r\nTitle=" + title + "\r\n");
    UninstallEntry entry(title);
    entry.Write("UninstallString", "\"" + earlier.Path() + "setup.exe\" -- " + title);
    for (const std::string& destination : {std::string("C:\\Product\\"), earlier.Path()}) {
        screen.Main_Dir.SetText(destination);
        screen.Next1.Click();
        const Lines summary = screen.Memo3.Lines();
        EXPECT_EQ(summary.size() > 1 && summary[1] == "The earlier installation in " + earlier.Path() + " is removed",
                  destination != earlier.Path())
            << destination;
        screen.Back1.Click();
    }
}

// Keys pressed as Page4 appears act on its finished rows: the page is never shown, and so never takes input,
// before the configuration has ticked them.
TEST_F(WizardFlow, Page4TakesItsFirstKeysOnTheRowsAsConfigured)
{
    Open(false);
    Global.ShortcutEntries = {"Tool,<InstallDir>\\tool.exe,X,,X,,Setup Tests,C:\\src\\tool.ico"};
    for (const WPARAM key : {WPARAM{VK_HOME}, WPARAM{VK_SPACE}}) {
        PostMessageA(screen.ListView1.Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(screen.ListView1.Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001U));
    }
    screen.Next1.Click();

    ASSERT_EQ(screen.ListView1.Count(), 3);
    EXPECT_FALSE(screen.ListView1.Checked(0)) << "ticked by the configuration, then cleared by the space";
    EXPECT_FALSE(screen.ListView1.Checked(1));
    EXPECT_TRUE(screen.ListView1.Checked(2));
}

// A product that asks whose installation it is shows the question on the destination page, and the proposed
// destination follows the answer; any other product shows none.
TEST_F(WizardFlow, TheDestinationPageAsksForMeOnlyOrForEveryoneWhenTheProductAsks)
{
    Open(false);
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nMain Directory=Acme\r\nInstall Scope=ask\r\n");
    screen.LoadSetupConfig(scratch.Path());
    ASSERT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Destination));
    EXPECT_TRUE(screen.ForMeOnly.Visible() && screen.ForEveryone.Visible());
    EXPECT_TRUE(screen.ForEveryone.Checked()) << "a run with an administrator's rights proposes everyone";
    EXPECT_EQ(screen.Main_Dir.Text(), ProgramFilesDir() + "Acme\\");

    SendMessageA(screen.ForMeOnly.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(screen.Main_Dir.Text(), UserProgramsDir() + "Acme\\");
    EXPECT_EQ(Global.Scope, isUser);
    screen.Next1.Click();
    EXPECT_EQ(screen.Memo3.Lines().at(1), "For: me only");
    screen.Back1.Click();
    screen.Main_Dir.SetText("D:\\Chosen\\");
    SendMessageA(screen.ForEveryone.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(screen.Main_Dir.Text(), "D:\\Chosen\\") << "a folder the user chose stays";
    EXPECT_EQ(Global.Scope, isMachine);

    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nInstall Scope=user\r\n");
    screen.LoadSetupConfig(scratch.Path());
    EXPECT_FALSE(screen.ForMeOnly.Visible() || screen.ForEveryone.Visible());
}

// "For everyone" in a run without an administrator's rights ends this run, naming the destination for the run that
// starts again with them.
TEST_F(WizardFlow, ForEveryoneWithoutAnAdministratorsRightsHandsTheDestinationOn)
{
    Open(false);
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nMain Directory=Acme\r\nInstall Scope=ask\r\n");
    screen.LoadSetupConfig(scratch.Path());
    SetElevationSeam([] { return false; });
    screen.Next1.Click();
    SetElevationSeam(nullptr);
    EXPECT_EQ(screen.DestinationForEveryone, ProgramFilesDir() + "Acme\\");
    EXPECT_NE(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Shortcuts));
}

TEST_F(WizardFlow, ABrowsedDirectoryGetsItsBackslash)
{
    std::string name = "C:\\Apps";
    bool action = true;
    screen.Main_Dir.OnAfterDialog(name, action);
    EXPECT_EQ(name, "C:\\Apps\\");
    screen.Main_Dir.OnAfterDialog(name, action);
    EXPECT_EQ(name, "C:\\Apps\\");
    EXPECT_TRUE(action);
}

}  // namespace
