// The setup screen built in this process: its designed controls, the configuration applied to them, and the
// start-up of both modes with the real windows.
#include "UninstallEntry.h"
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "app/tests/InstallModeScreen.h"
#include "port/FileSystem.h"
#include "shell/ShellFolders.h"
#include "state/Global.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/ui/Pump.h"
#include "ui/Application.h"
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

const char* const kThreeFrames = UI_TEST_DATA "\\three-frames.gif";
const char* const kCheckMark = APP_DIR "\\CheckMark.bmp";

using DisplayScreen = InstallModeScreen;

// A picture's size as its file states it: a GIF keeps width and height as 16-bit little-endian numbers at
// offset 6, a BMP as 32-bit ones at offset 18.
SIZE PictureSize(const char* file)
{
    const std::string bytes = ScratchDir::Read(file);
    const bool gif = bytes.compare(0, 3, "GIF") == 0;
    const std::size_t offset = gif ? 6 : 18;
    const std::size_t length = gif ? 2 : 4;
    const auto number = [&](std::size_t at) {
        LONG value = 0;
        for (std::size_t byte = length; byte-- > 0;)
            value = value * 256 + static_cast<unsigned char>(bytes.at(at + byte));
        return value;
    };
    return {number(offset), number(offset + length)};
}

// The wizard moves by page index, the stages by mark: what matters is the order of the pages, where each mark
// stands, and the states the wizard starts from. The captions are checked by the journeys, which click them.
TEST_F(DisplayScreen, HoldsItsPagesInTheWizardsOrderWithEachMarkBesideItsStep)
{
    TDisplayScreen screen({});
    ASSERT_EQ(screen.Notebook1.PageCount(), kWizardPageCount);
    for (int page = 0; page < kWizardPageCount; ++page) {
        const HWND window = screen.Notebook1.Page(page).Handle();
        EXPECT_EQ(GetDlgCtrlID(window), kWizardPages[page].controlId) << kWizardPages[page].name;
        EXPECT_EQ(screen.Notebook1.Page(page).Text(), kWizardPages[page].name);
    }
    EXPECT_EQ(&screen.Notebook1.Page(PageIndex(WizardPage::Uninstaller)), &screen.Uninstaller);

    // The install stages: the first mark beside the source line, then Label1 and Label2; the four removal
    // stages: Start1 to Start4. Each mark is the check picture, left of its line, hidden until its stage.
    const TImage* marks[] = {&screen.Image1,
                             screen.StepMarks[0].get(),
                             screen.StepMarks[1].get(),
                             screen.StepMarks[2].get(),
                             screen.StepMarks[3].get(),
                             screen.StepMarks[4].get(),
                             screen.StepMarks[5].get()};
    const TLabel* steps[] = {&screen.source, &screen.Label1, &screen.Label2, &screen.Start1,
                             &screen.Start2, &screen.Start3, &screen.Start4};
    for (int mark = 0; mark < 7; ++mark) {
        const TImage& image = *marks[mark];
        const TLabel& step = *steps[mark];
        EXPECT_EQ(GetParent(image.Handle()), GetParent(step.Handle())) << mark;
        EXPECT_EQ(image.Top(), step.Top()) << mark;
        EXPECT_LE(image.Left() + image.Width(), step.Left()) << mark;
        EXPECT_EQ(image.Width(), screen.Image1.PictureWidth()) << mark;
        EXPECT_GT(image.Width(), 0) << mark;
        EXPECT_FALSE(image.Visible()) << mark;
    }

    ASSERT_NE(screen.AgreementMemo, nullptr);
    EXPECT_EQ(GetParent(screen.AgreementMemo->Handle()), screen.Page2.Handle());
    EXPECT_LE(screen.AgreementMemo->Left() + screen.AgreementMemo->Width(), screen.Page2.Width());
    EXPECT_TRUE(screen.reboot.Checked()) << "designed selected";
    EXPECT_FALSE(screen.CheckBox1.Checked());
    EXPECT_FALSE(screen.Timer1.Enabled());
    EXPECT_EQ(screen.Timer1.Interval(), 1000U);

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
    TCommandLine line;
    line.Arguments = {"SetupTests", "No", "Such", "Entry"};
    TDisplayScreen screen(line);
    screen.Show();
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Uninstaller));
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
    const UninstallEntry entry("SetupTests Kept Texts");
    entry.Write("UninstallString", "\"" + scratch.Path() + "setup.exe\" -- SetupTests Kept Texts");
    Global.UninstallMode = true;
    TDisplayScreen screen({});
    {
        InDirectory inScratch(scratch.Path());
        screen.Show();
    }
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
    EXPECT_TRUE(PumpUntil([&screen] { return IsWindowVisible(screen.Handle()) == FALSE; }));
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
    EXPECT_EQ(screen.Notebook1.PageIndex(), PageIndex(WizardPage::Agreement));
    EXPECT_FALSE(screen.Back1.Visible()) << "no way back before the first page";
}

// The bootstrap expander leaves the logo in TempDir and loads the configuration from there.
TEST_F(DisplayScreen, AnAnimatedLogoPlaysInItsFramedPanel)
{
    TDisplayScreen screen({});
    ExpandsFromScratch(screen);
    ASSERT_TRUE(CopyFileA(kThreeFrames, (scratch / "logo.gif").c_str(), FALSE));
    ScratchDir::Write(scratch / "install.cfg",
                      "[Setup Screen]\r\nLogo File=C:\\Product\\logo.gif\r\nLogo Pos=Bottom Left\r\n");
    screen.Show();

    EXPECT_TRUE(screen.ImageHolder1.Visible());
    EXPECT_FALSE(screen.LogoImage2.Visible());
    // The picture at its own size, framed evenly, the frame as far from the left edge as from the bottom.
    const TWindow& picture = screen.LogoImage;
    const TWindow& panel = screen.ImageHolder1;
    EXPECT_EQ(picture.Width(), PictureSize(kThreeFrames).cx);
    EXPECT_EQ(picture.Height(), PictureSize(kThreeFrames).cy);
    EXPECT_EQ(picture.Left(), picture.Top());
    EXPECT_EQ(panel.Width(), picture.Width() + 2 * picture.Left());
    EXPECT_EQ(panel.Height(), picture.Height() + 2 * picture.Top());
    EXPECT_GT(picture.Left(), 0) << "a frame around the picture";
    const int bottomMargin = screen.SetupScreen.Height() - (panel.Top() + panel.Height());
    EXPECT_EQ(panel.Left(), bottomMargin);
    EXPECT_GT(bottomMargin, 0);
    EXPECT_TRUE(screen.LogoImage.Animate()) << "install mode starts the animation";
}

TEST_F(DisplayScreen, ABitmapLogoIsAStillPictureAndAMissingOneIsNotShown)
{
    TDisplayScreen screen({});
    ExpandsFromScratch(screen);
    ASSERT_TRUE(CopyFileA(kCheckMark, (scratch / "LOGO.BMP").c_str(), FALSE));
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nLogo File=logo.bmp\r\nLogo Pos=Upper Right\r\n");
    screen.Show();
    EXPECT_TRUE(screen.LogoImage2.Visible());
    EXPECT_FALSE(screen.ImageHolder1.Visible());
    // At its own size, as far from the right edge as from the top.
    const TWindow& logo = screen.LogoImage2;
    EXPECT_EQ(logo.Width(), PictureSize(kCheckMark).cx);
    EXPECT_EQ(logo.Height(), PictureSize(kCheckMark).cy);
    EXPECT_EQ(screen.SetupScreen.Width() - (logo.Left() + logo.Width()), logo.Top());
    EXPECT_GT(logo.Top(), 0);

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
    EXPECT_FALSE(static_cast<bool>(screen.Notebook1.OnPageShowing));
    EXPECT_FALSE(static_cast<bool>(screen.Notebook1.OnPageChanged));
}

}  // namespace
