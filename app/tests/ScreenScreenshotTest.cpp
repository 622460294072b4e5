// The setup screen with the sample product's configuration, and in each display style, captured from the
// screen and saved as PNG files for people to look at; the checks make sure the capture shows the screen.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"
#include "ui/Application.h"
#include "widgets/tests/Dib.h"
#include "tools/setupwalk/PngFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void CopySample(const ScratchDir& scratch, const char* name)
{
    ASSERT_TRUE(CopyFileA((std::string(SAMPLE_DIR) + "\\" + name).c_str(), (scratch / name).c_str(), FALSE)) << name;
}

void Settle()
{
    for (int round = 0; round < 20; ++round) {
        Application::ProcessMessages();
        Sleep(10);
    }
}

void Capture(const TDisplayScreen& screen, const TDib& into)
{
    HDC dc = GetDC(screen.Handle());
    BitBlt(into.Dc(), 0, 0, into.Size().cx, into.Size().cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(screen.Handle(), dc);
}

void Save(const TDib& shot, const std::string& name)
{
    const std::string path = std::string(SETUP_SCREENSHOT_DIR) + "\\screen-" + name + ".png";
    EXPECT_TRUE(SavePng(shot.Handle(), path)) << path;
}

// The wizard stands out from the background beside it.
void ExpectScreenShown(const TDib& shot, const TDisplayScreen& screen)
{
    const COLORREF wizardFace = shot.Pixel(screen.Wizard.Left() + 20, screen.Wizard.Top() + 20);
    EXPECT_NE(wizardFace, shot.Pixel(screen.Wizard.Left() - 20, screen.Wizard.Top() + 20));
}

std::string FileName(std::string style)
{
    for (char& c : style)
        if (c == ' ') c = '-';
    return style;
}

void Shoot(const TDisplayScreen& screen, const std::string& name)
{
    Settle();
    const TDib shot(screen.ClientWidth(), screen.ClientHeight());
    Capture(screen, shot);
    ExpectScreenShown(shot, screen);
    Save(shot, name);
}

TEST(ScreenScreenshot, TheDesignedLookTheSampleAndEveryDisplayStyle)
{
    Global.UninstallMode = false;
    ScratchDir scratch;
    for (const char* name : {"logo.gif", "back.bmp", "license.txt"}) CopySample(scratch, name);

    TDisplayScreen screen({});
    Global.TempDir = scratch.Path();
    screen.ExpandSupportFiles = [&screen, &scratch] { screen.LoadSetupConfig(scratch.Path()); };
    screen.Show();
    Shoot(screen, "designed");
    ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\nDisplay Style=Tile Bitmap Image\r\n");
    screen.LoadSetupConfig(scratch.Path());
    Shoot(screen, "designed-tiles");

    for (const char* name : {"install.cfg", "finstall.cfg"}) CopySample(scratch, name);
    const std::string sample = ScratchDir::Read(scratch / "install.cfg");
    screen.LoadSetupConfig(scratch.Path());
    ASSERT_TRUE(screen.ImageHolder1.Visible()) << "the sample's animated logo";
    Shoot(screen, "sample");

    for (const char* style : {"Solid Color", "Horizontal In", "Horizontal Out", "Vertical In", "Vertical Out", "Left",
                              "Right", "Up", "Down", "Stretch Bitmap Image", "Tile Bitmap Image"}) {
        std::string config = sample;
        config.replace(config.find("Display Style=Vertical In"), 25, std::string("Display Style=") + style);
        ScratchDir::Write(scratch / "install.cfg", config);
        screen.LoadSetupConfig(scratch.Path());
        Shoot(screen, "style-" + FileName(style));
    }
}

}  // namespace
