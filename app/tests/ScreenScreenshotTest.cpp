// The setup screen with the sample product's configuration, and in each display style, captured from the
// screen and saved as PNG files for people to look at; the checks make sure the capture shows the screen.
#include "app/screen/DisplayScreen.h"
#include "app/tests/InstallModeScreen.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

#include "ScreenPictureOf.h"

#include <string>
#include <vector>

namespace {

void CopySample(const ScratchDir& scratch, const char* name)
{
    ASSERT_TRUE(CopyFileA((std::string(SAMPLE_DIR) + "\\" + name).c_str(), (scratch / name).c_str(), FALSE)) << name;
}

// The wizard stands out from the background beside it.
void ExpectScreenShown(const TScreenPicture& shot, const TDisplayScreen& screen)
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

TScreenPicture Shoot(const TDisplayScreen& screen, const std::string& name)
{
    const TScreenPicture shot = PictureOf(screen);
    ExpectScreenShown(shot, screen);
    const std::string path = std::string(SETUP_SCREENSHOT_DIR) + "\\screen-" + name + ".png";
    EXPECT_TRUE(shot.SavePng(path)) << path;
    return shot;
}

using ScreenScreenshot = InstallModeScreen;

TEST_F(ScreenScreenshot, TheDesignedLookTheSampleAndEveryDisplayStyle)
{
    for (const char* name : {"logo.gif", "back.bmp", "license.txt"}) CopySample(scratch, name);

    TDisplayScreen screen({});
    ExpandsFromScratch(screen);
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

    const std::vector<std::string> styles = {
        "Solid Color", "Horizontal In", "Horizontal Out",       "Vertical In",      "Vertical Out", "Left", "Right",
        "Up",          "Down",          "Stretch Bitmap Image", "Tile Bitmap Image"};
    std::vector<TScreenPicture> shots;
    for (const std::string& style : styles) {
        std::string config = sample;
        config.replace(config.find("Display Style=Vertical In"), 25, "Display Style=" + style);
        ScratchDir::Write(scratch / "install.cfg", config);
        screen.LoadSetupConfig(scratch.Path());
        shots.push_back(Shoot(screen, "style-" + FileName(style)));
    }
    // Every style paints a background of its own.
    for (std::size_t one = 0; one < shots.size(); ++one)
        for (std::size_t other = one + 1; other < shots.size(); ++other)
            EXPECT_GT(shots[one].Differences(shots[other]), 0) << styles[one] << " looks like " << styles[other];
}

}  // namespace
