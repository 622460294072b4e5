// The screen's background as the configuration paints it, read back as real pixels, and the text lines
// stacked by their fonts.
#include "app/screen/DisplayScreen.h"
#include "app/screen/DisplayStyle.h"
#include "app/tests/InstallModeScreen.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/widgets/Dib.h"

#include <gtest/gtest.h>

namespace {

const char* const kCheckMark = APP_DIR "\\CheckMark.bmp";
const char* const kThreeFrames = UI_TEST_DATA "\\three-frames.gif";

// The panel's own surface, without its children.
COLORREF SurfacePixel(const TWindow& panel, int x, int y)
{
    const TDib dib(panel.Width(), panel.Height());
    SendMessageA(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
    return dib.Pixel(x, y);
}

COLORREF PicturePixel(const char* file, int x, int y)
{
    const TGdiObject<HBITMAP> picture(
        static_cast<HBITMAP>(LoadImageA(nullptr, file, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    TMemoryDC dc;
    const TSelection selection(dc.Get(), picture.Get());
    return GetPixel(dc.Get(), x, y);
}

class ScreenLook : public InstallModeScreen {
protected:
    // Shown in install mode, so that the screen has its full size.
    ScreenLook()
    {
        ExpandsFromScratch(screen);
        screen.Show();
    }

    void Configure(const std::string& screenKeys)
    {
        ScratchDir::Write(scratch / "install.cfg", "[Setup Screen]\r\n" + screenKeys);
        screen.LoadSetupConfig(scratch.Path());
    }

    TDisplayScreen screen{{}};
};

TEST_F(ScreenLook, TheDesignedBackgroundIsAGradientWithATilingPicture)
{
    const TGradPanHost& background = screen.SetupScreen;
    EXPECT_EQ(background.Width(), screen.ClientWidth());
    EXPECT_EQ(background.BackGroundEffect(), *DisplayStyleEffect("Horizontal In"));
    EXPECT_NE(SurfacePixel(background, 5, 0), SurfacePixel(background, 5, background.Height() / 2));

    Configure("Display Style=Tile Bitmap Image\r\n");
    EXPECT_EQ(SurfacePixel(background, 3, 5), SurfacePixel(background, 3 + 32, 5 + 64)) << "the picture repeats";
    EXPECT_NE(SurfacePixel(background, 3, 5), SurfacePixel(background, 3 + 8, 5));
}

TEST_F(ScreenLook, ConfiguredColoursPictureAndStyleReachTheBackground)
{
    ASSERT_TRUE(CopyFileA(kCheckMark, (scratch / "back.bmp").c_str(), FALSE));
    Configure("From Color=$0000FF\r\nDisplay Style=Solid Color\r\n");
    EXPECT_EQ(SurfacePixel(screen.SetupScreen, 100, 100), RGB(255, 0, 0));

    Configure("BitMap=C:\\Art\\back.bmp\r\nDisplay Style=Tile Bitmap Image\r\n");
    const COLORREF corner = PicturePixel(kCheckMark, 15, 0);
    EXPECT_EQ(SurfacePixel(screen.SetupScreen, 15, 0), corner);
    EXPECT_EQ(SurfacePixel(screen.SetupScreen, 16 * 9 + 15, 16 * 5), corner);

    // Not a picture, no picture, a lower-case style: the screen keeps what it has.
    Configure("BitMap=install.cfg\r\nDisplay Style=horizontal in\r\n");
    EXPECT_EQ(screen.SetupScreen.BackGroundEffect(), *DisplayStyleEffect("Tile Bitmap Image"));
    EXPECT_EQ(SurfacePixel(screen.SetupScreen, 15, 0), corner);
    Configure("BitMap=missing.bmp\r\nDisplay Style=Tile Bitmap Image\r\n");
    EXPECT_EQ(SurfacePixel(screen.SetupScreen, 15, 0), corner);
}

TEST_F(ScreenLook, ATallerFirstLinePushesTheOthersDown)
{
    Configure("Text Line 1 Font Height=-48\r\nText Line 2=Second\r\nText Line 3=Third\r\n");
    EXPECT_GE(screen.TextInfo1.Height(), 48);
    EXPECT_EQ(screen.TextInfo2.Top(), screen.TextInfo1.Top() + screen.TextInfo1.Height() + 2);
    EXPECT_EQ(screen.TextInfo3.Top(), screen.TextInfo2.Top() + screen.TextInfo2.Height() + 2);
    EXPECT_EQ(screen.TextInfo3.Left(), 8);
}

// The uninstaller never expands anything: its logo is the copy beside its configuration.
TEST_F(ScreenLook, TheUninstallerShowsTheLogoFromTheInstallDirectory)
{
    Global.TempDir = scratch / "never-filled\\";
    Global.UninstallMode = true;
    ASSERT_TRUE(CopyFileA(kThreeFrames, (scratch / "logo.gif").c_str(), FALSE));
    Configure("Logo File=C:\\Art\\logo.gif\r\n");
    EXPECT_TRUE(screen.ImageHolder1.Visible());
    EXPECT_EQ(screen.ImageHolder1.Width(), 6 + 8);
}

}  // namespace
