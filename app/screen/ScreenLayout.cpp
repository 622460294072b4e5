// The layout of the setup screen: the text lines, the logo and the wizard, recomputed from the current sizes.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "app/screen/LogoPosition.h"

#include <algorithm>
#include <cctype>

namespace {

bool NamesBitmap(std::string fileName)
{
    std::transform(fileName.begin(), fileName.end(), fileName.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return fileName.find(".BMP") != std::string::npos;
}

}  // namespace

// The screen's full size, the bottom line along its lower edge, the wizard in its middle.
void TDisplayScreen::FormResize()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    SetupScreen.SetBounds(0, 0, width, height);
    DockFooter();
    Wizard.SetBounds(width / 2 - Wizard.Width() / 2, height / 2 - Wizard.Height() / 2, Wizard.Width(), Wizard.Height());
    AdjustFonts1Click();
    LogoPosChanges1Click();
    DisplayStyleChanges1Click();
}

// The bottom line spans the screen's width at its lower edge, as high as its font needs.
void TDisplayScreen::DockFooter()
{
    const SIZE footer = TextInfo4.TextExtent();
    TextInfo4.SetBounds(0, SetupScreen.Height() - footer.cy, SetupScreen.Width(), footer.cy);
}

void TDisplayScreen::AdjustFonts1Click()
{
    TextInfo2.SetTop(TextInfo1.Top() + TextInfo1.Height() + 2);
    TextInfo3.SetTop(TextInfo2.Top() + TextInfo2.Height() + 2);
    for (TLabel* line : {&TextInfo1, &TextInfo2, &TextInfo3}) line->SetLeft(8);  // the bottom line stays docked
}

// A bitmap is a still picture on the screen itself; anything else plays as a GIF inside the framed panel, which
// is 8 pixels wider and higher than the picture. A logo that cannot be loaded is not shown.
void TDisplayScreen::LoadLogo1Click()
{
    ImageHolder1.SetSize(1000, 1000);
    ImageHolder1.Hide();
    LogoImage2.Hide();
    const std::string& logoFile = Global.InstallSettings.LogoFile;
    if (!logoFile.empty() && NamesBitmap(logoFile)) {
        if (LogoImage2.LoadFromFile(logoDir_ + logoFile)) {
            LogoImage2.SetTransparent(true);
            ImageHolder1.SetSize(LogoImage2.Width(), LogoImage2.Height());
            LogoImage2.Show();
        }
    } else if (!logoFile.empty() && LogoImage.LoadFromFile(logoDir_ + logoFile)) {
        ImageHolder1.SetSize(LogoImage.PictureWidth() + 8, LogoImage.PictureHeight() + 8);
        const int inset = ImageHolder1.Inset();
        LogoImage.SetBounds(inset, inset, ImageHolder1.Width() - 2 * inset, ImageHolder1.Height() - 2 * inset);
        ImageHolder1.Show();
    }
    LogoPosChanges1Click();
}

void TDisplayScreen::LogoPosChanges1Click()
{
    const TLogoPlace place{{SetupScreen.Width(), SetupScreen.Height()},
                           {ImageHolder1.Width(), ImageHolder1.Height()},
                           {ImageHolder1.Left(), ImageHolder1.Top()},
                           TextInfo3.Top() + TextInfo3.Height(),
                           TextInfo4.Top()};
    const POINT at = LogoPosition(Global.InstallSettings.LogoPos, place);
    ImageHolder1.SetBounds(at.x, at.y, ImageHolder1.Width(), ImageHolder1.Height());
    LogoImage2.SetBounds(at.x, at.y, LogoImage2.Width(), LogoImage2.Height());
}
