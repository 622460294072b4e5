// The setup screen built in this process: its designed controls, the configuration applied to them, and the
// start-up of both modes with the real windows.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "port/FileSystem.h"
#include "shell/ShellFolders.h"
#include "testsupport/ScratchDir.h"
#include "ui/tests/Pump.h"
#include "ui/Application.h"
#include "ui/Font.h"

#include <gtest/gtest.h>

namespace {

const char* const kThreeFrames = UI_TEST_DATA "\\three-frames.gif";
const char* const kCheckMark = APP_DIR "\\CheckMark.bmp";

class DisplayScreen : public ::testing::Test {
protected:
    DisplayScreen() { Global.UninstallMode = false; }
    ~DisplayScreen() override { Global.UninstallMode = false; }

    ScratchDir scratch;
};

TEST_F(DisplayScreen, HoldsTheDesignedPagesAndControls)
{
    TDisplayScreen screen({});
    ASSERT_EQ(screen.Notebook1.PageCount(), 8);
    const char* names[] = {"page1", "Page2", "Page3", "Page4", "ReadyToInstall", "install", "Finished", "Uninstaller"};
    for (int page = 0; page < 8; ++page) EXPECT_EQ(screen.Notebook1.Page(page).Text(), names[page]);

    EXPECT_EQ(screen.Next1.Text(), "&Next >>");
    EXPECT_EQ(screen.Remove.Text(), "&Uninstall");
    EXPECT_EQ(screen.ReturnToWIndows.Text(), "Return to Windows ");
    EXPECT_EQ(screen.Label6.Text(),
              "To change directory click on button on right hand side of  Destination  Directory.");
    EXPECT_TRUE(screen.reboot.Checked()) << "designed selected";
    EXPECT_FALSE(screen.CheckBox1.Checked());
    EXPECT_FALSE(screen.Timer1.Enabled());
    EXPECT_EQ(screen.Timer1.Interval(), 1000U);

    // The check marks: 1 and 2 on page install, 3 to 6 on page Uninstaller, hidden, with the check picture.
    const int tops[] = {32, 64, 0, 32, 64, 96};
    for (int mark = 0; mark < 6; ++mark) {
        const TImage& image = *screen.StepMarks[static_cast<size_t>(mark)];
        EXPECT_EQ(GetParent(image.Handle()), (mark < 2 ? screen.install : screen.Uninstaller).Handle());
        EXPECT_EQ(image.Top(), tops[mark]);
        EXPECT_FALSE(image.Visible());
        EXPECT_EQ(image.PictureWidth(), screen.Image1.PictureWidth());
        EXPECT_GT(image.PictureWidth(), 0);
    }
    ASSERT_NE(screen.AgreementMemo, nullptr);
    EXPECT_EQ(GetParent(screen.AgreementMemo->Handle()), screen.Page2.Handle());
    EXPECT_EQ(screen.AgreementMemo->Width(), 415);

    // FormCreate ends with InitGlobals.
    EXPECT_EQ(Global.SourceDir.back(), '\\');
    EXPECT_EQ(Global.TempDir.substr(0, WindowsDir().size() + 12), WindowsDir() + "\\Temp\\z2000_");
}

TEST_F(DisplayScreen, LoadSetupConfigAppliesFontsColoursAndChoices)
{
    ScratchDir::Write(scratch / "install.cfg",
                      "[Setup Screen]\r\n"
                      "Text Line 1=Product 2000\r\n"
                      "Text Line 1 Font Name=Arial\r\n"
                      "Text Line 1 Font Size=36\r\n"
                      "Text Line 1 Font Pitch=144\r\n"
                      "Text Line 1 Font Color=$0000FF\r\n"
                      "Text Line 1 Font Style=fsBold,\r\n"
                      "Text Line 1 Shadow Color=0x00FF00\r\n"
                      "Text Line 2=\r\n"
                      "Image Border Color=255\r\n"
                      "ReBoot Option=1\r\n"
                      "Launch Application=<InstallDir>\\run.exe\r\n"
                      "Main Directory=Product\r\n"
                      "Under Program Files=0\r\n"
                      "Desktop Folder=Product Folder\r\n");
    TDisplayScreen screen({});
    const int pixelsPerInch = screen.TextInfo1.Font().PixelsPerInch();
    screen.LoadSetupConfig(scratch.Path());

    const TFont& font = screen.TextInfo1.Font();
    EXPECT_EQ(screen.TextInfo1.Text(), "Product 2000");
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Height(), -MulDiv(36, pixelsPerInch, 72)) << "the size converts with the factor before the pitch";
    EXPECT_EQ(font.PixelsPerInch(), 144);
    EXPECT_EQ(font.Color(), 0x0000FFU);
    EXPECT_TRUE(font.Style().Contains(fsBold));
    EXPECT_EQ(screen.TextInfo1.ShadowColor(), 0x00FF00U);
    EXPECT_EQ(screen.TextInfo2.Text(), "") << "a present empty text blanks the line";
    EXPECT_EQ(screen.TextInfo2.Font().Name(), "Times New Roman") << "missing keys keep the designed font";
    EXPECT_EQ(screen.TextInfo2.Top(), screen.TextInfo1.Top() + screen.TextInfo1.Height() + 2);
    EXPECT_EQ(screen.ImageHolder1.Color(), 255U);

    EXPECT_TRUE(screen.reboot.Visible());
    EXPECT_TRUE(screen.LaunchItOption.Visible());
    EXPECT_TRUE(screen.LaunchItOption.Checked());
    EXPECT_FALSE(screen.reboot.Checked());
    EXPECT_EQ(screen.LaunchIt.Text(), "<InstallDir>\\run.exe");
    EXPECT_EQ(screen.CreateFolder.Text(), "Product Folder");
    EXPECT_EQ(screen.Main_Dir.Text(), SystemDrive() + "Product\\");
    EXPECT_EQ(Global.InstallSettings.DesktopFolder, "Product Folder");

    // The second load converts the size with the pitch the first one set.
    screen.LoadSetupConfig(scratch.Path());
    EXPECT_EQ(screen.TextInfo1.Font().Height(), -72);
}

TEST_F(DisplayScreen, WithoutALaunchApplicationReturnToWindowsIsChosen)
{
    TDisplayScreen screen({});
    screen.LoadSetupConfig(scratch.Path());
    EXPECT_FALSE(screen.reboot.Visible());
    EXPECT_FALSE(screen.LaunchItOption.Visible());
    EXPECT_FALSE(screen.LaunchIt.Visible());
    EXPECT_TRUE(screen.ReturnToWIndows.Visible());
    EXPECT_TRUE(screen.ReturnToWIndows.Checked());
    EXPECT_FALSE(screen.reboot.Checked());
    EXPECT_EQ(screen.Main_Dir.Text(), SystemDrive() + "Program Files\\ZUV\\");
}

TEST_F(DisplayScreen, UninstallModeWithoutAnEntryOffersOnlyToExit)
{
    Global.UninstallMode = true;
    TDisplayScreen screen({"SetupTests", "No", "Such", "Entry"});
    screen.Show();
    EXPECT_EQ(screen.Notebook1.PageIndex(), 7);
    EXPECT_EQ(screen.TextInfo1.Text(), "No Uninstall Information Found!!");
    EXPECT_EQ(screen.TextInfo4.Text(), "ZUV2000 Uninstaller | Halvex, Inc.");
    EXPECT_EQ(screen.UninstallTitle, "SetupTests No Such Entry");
    EXPECT_EQ(screen.UninstallDir, "");
    EXPECT_EQ(screen.Remove.Text(), "EXIT");
    EXPECT_EQ(screen.Remove.Hint(), "No Uninstall Info. Click here to Exit.");
    EXPECT_FALSE(screen.Panel1.Visible());
    EXPECT_EQ(screen.Wizard.Width(), 345);
    EXPECT_EQ(screen.Wizard.Height(), 175);

    screen.Remove.Click();
    EXPECT_FALSE(IsWindowVisible(screen.Handle())) << "EXIT closes the screen";
}

// The installed configuration names neither a title nor a bottom line: the second load keeps the uninstaller's.
TEST_F(DisplayScreen, UninstallModeKeepsItsTitleAndBottomLineWhereTheConfigurationHasNone)
{
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nText Line 2=Second line\r\n");
    ScratchDir::Write(scratch / "uninstaller.cfg", "[Name]\r\nTitle=SetupTests Kept Texts\r\n");
    const std::string previous = port::CurrentDir();
    port::SetCurrentDir(scratch.Path());
    Global.UninstallMode = true;
    TDisplayScreen screen({});
    screen.Show();
    port::SetCurrentDir(previous);
    EXPECT_EQ(screen.UninstallDir, scratch.Path());
    EXPECT_EQ(screen.TextInfo1.Text(), "SetupTests Kept Texts");
    EXPECT_EQ(screen.TextInfo4.Text(), "ZUV2000 Uninstaller | Halvex, Inc.");
    EXPECT_EQ(screen.TextInfo2.Text(), "Second line");
    EXPECT_EQ(screen.TextInfo3.Text(), "www.halvex.com    e-mail: info@halvex.com") << "the designed text";
}

TEST_F(DisplayScreen, InstallModeWithoutAnExpanderEndsAsAFailedExpansion)
{
    TDisplayScreen screen({});
    screen.Show();
    EXPECT_TRUE(Global.ExpandFailed);
    EXPECT_TRUE(screen.Timer1.Enabled());
    EXPECT_TRUE(PumpUntil([&screen] { return IsWindowVisible(screen.Handle()) == FALSE; }, 3000));
    EXPECT_FALSE(screen.Timer1.Enabled());
}

TEST_F(DisplayScreen, InstallModeAfterExpansionShowsTheAgreementFirst)
{
    TDisplayScreen screen({});
    Global.TempDir = scratch.Path();
    ScratchDir::Write(scratch / "license.txt", "Terms\r\nMore terms\r\n");
    bool expanded = false;
    screen.ExpandSupportFiles = [&expanded] { expanded = true; };
    screen.Show();
    EXPECT_TRUE(expanded);
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_FALSE(screen.Timer1.Enabled());
    EXPECT_FALSE(screen.NoAgreement);
    EXPECT_EQ(screen.AgreementMemo->Lines(), (std::vector<std::string>{"Terms", "More terms"}));
    EXPECT_EQ(screen.FirstPage, 1);
    EXPECT_EQ(screen.Notebook1.PageIndex(), 1);
    EXPECT_FALSE(screen.Back1.Visible()) << "no way back before the first page";
}

// The bootstrap expander leaves the logo in TempDir and loads the configuration from there.
TEST_F(DisplayScreen, AnAnimatedLogoPlaysInItsFramedPanel)
{
    TDisplayScreen screen({});
    Global.TempDir = scratch.Path();
    ASSERT_TRUE(CopyFileA(kThreeFrames, (scratch / "logo.gif").c_str(), FALSE));
    ScratchDir::Write(scratch / "install.cfg",
                      "[Setup Screen]\r\nLogo File=C:\\Product\\logo.gif\r\nLogo Pos=Bottom Left\r\n");
    screen.ExpandSupportFiles = [&screen, this] { screen.LoadSetupConfig(scratch.Path()); };
    screen.Show();

    EXPECT_TRUE(screen.ImageHolder1.Visible());
    EXPECT_FALSE(screen.LogoImage2.Visible());
    EXPECT_EQ(screen.ImageHolder1.Width(), 6 + 8);
    EXPECT_EQ(screen.ImageHolder1.Height(), 4 + 8);
    EXPECT_EQ(screen.ImageHolder1.Left(), 5);
    EXPECT_EQ(screen.ImageHolder1.Top(), screen.SetupScreen.Height() - 12 - 5);
    EXPECT_TRUE(screen.LogoImage.Animate()) << "install mode starts the animation";
}

TEST_F(DisplayScreen, ABitmapLogoIsAStillPictureAndAMissingOneIsNotShown)
{
    TDisplayScreen screen({});
    Global.TempDir = scratch.Path();
    ASSERT_TRUE(CopyFileA(kCheckMark, (scratch / "LOGO.BMP").c_str(), FALSE));
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nLogo File=logo.bmp\r\nLogo Pos=Upper Right\r\n");
    screen.ExpandSupportFiles = [&screen, this] { screen.LoadSetupConfig(scratch.Path()); };
    screen.Show();
    EXPECT_TRUE(screen.LogoImage2.Visible());
    EXPECT_FALSE(screen.ImageHolder1.Visible());
    EXPECT_EQ(screen.LogoImage2.Width(), 16);
    EXPECT_EQ(screen.LogoImage2.Left(), screen.SetupScreen.Width() - 16 - 5);
    EXPECT_EQ(screen.LogoImage2.Top(), 5);

    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nLogo File=missing.gif\r\n");
    screen.LoadSetupConfig(scratch.Path());
    EXPECT_FALSE(screen.LogoImage2.Visible());
    EXPECT_FALSE(screen.ImageHolder1.Visible());
}

TEST_F(DisplayScreen, ClosingDetachesTheNavigation)
{
    TDisplayScreen screen({});
    EXPECT_TRUE(static_cast<bool>(screen.Next1.OnClick));
    screen.Close();
    EXPECT_FALSE(static_cast<bool>(screen.Next1.OnClick));
    EXPECT_FALSE(static_cast<bool>(screen.Back1.OnClick));
    EXPECT_FALSE(static_cast<bool>(screen.Accept.OnClick));
    EXPECT_FALSE(static_cast<bool>(screen.decline.OnClick));
    EXPECT_FALSE(static_cast<bool>(screen.Cancel1.OnClick));
    EXPECT_FALSE(static_cast<bool>(screen.Notebook1.OnPageChanged));
}

}  // namespace
