#include "widgets/Gradpan.h"

#include <gtest/gtest.h>

#include "testsupport/widgets/Dib.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kFill = RGB(0, 0, 255);

// A flat blue panel, so that every frame pixel stands out.
void Prepare(TGradPan& panel)
{
    panel.SetBackGroundEffect(bdFlat);
    panel.SetColorStart(0xFF0000);
}

TEST(Frame, RaisedOuterBevelIsLitFromTheTopLeft)
{
    TGradPan panel;
    Prepare(panel);
    TDib dib(40, 30);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(20, 0), kWhite);
    EXPECT_EQ(dib.Pixel(0, 15), kWhite);
    EXPECT_EQ(dib.Pixel(39, 0), kWhite) << "the right line stops short of the top row";
    EXPECT_EQ(dib.Pixel(0, 29), kGrey) << "the bottom line is drawn after the left one";
    EXPECT_EQ(dib.Pixel(20, 29), kGrey);
    EXPECT_EQ(dib.Pixel(39, 15), kGrey);
    EXPECT_EQ(dib.Pixel(1, 1), kFill);
}

TEST(Frame, WideBevelsBorderAndThe3DBorderInThePanelsColour)
{
    TGradPan panel;
    Prepare(panel);
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvRaised);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    panel.SetColor(0x00FFFF);  // yellow border
    TDib dib(60, 50);
    panel.Paint(dib.Dc(), dib.Size());
    // Outer lowered bevel: rows and columns 0 and 1 grey at the top and left, white at the bottom and right.
    for (int k : {0, 1}) {
        EXPECT_EQ(dib.Pixel(30, k), kGrey);
        EXPECT_EQ(dib.Pixel(k, 25), kGrey);
        EXPECT_EQ(dib.Pixel(30, 49 - k), kWhite);
        EXPECT_EQ(dib.Pixel(59 - k, 25), kWhite);
    }
    // Without the 3D border the border shows the background; the raised inner bevel starts at s = 2 + 3.
    for (int k : {5, 6}) {
        EXPECT_EQ(dib.Pixel(30, k), kWhite);
        EXPECT_EQ(dib.Pixel(k, 25), kWhite);
        EXPECT_EQ(dib.Pixel(30, 49 - k), kGrey);
        EXPECT_EQ(dib.Pixel(59 - k, 25), kGrey);
    }
    EXPECT_EQ(dib.Pixel(30, 3), kFill);
    EXPECT_EQ(dib.Pixel(30, 7), kFill);

    // The 3D border: rectangles i = 1 ... 3 inset by e = 1, so rows 2 to 4 on each side.
    panel.SetCtl3D(true);
    panel.Paint(dib.Dc(), dib.Size());
    for (int k : {2, 3, 4}) {
        EXPECT_EQ(dib.Pixel(30, k), RGB(255, 255, 0));
        EXPECT_EQ(dib.Pixel(k, 25), RGB(255, 255, 0));
        EXPECT_EQ(dib.Pixel(30, 49 - k), RGB(255, 255, 0));
        EXPECT_EQ(dib.Pixel(59 - k, 25), RGB(255, 255, 0));
    }
    EXPECT_EQ(dib.Pixel(30, 1), kGrey);
    EXPECT_EQ(dib.Pixel(30, 5), kWhite);

    // No inner bevel, no 3D border.
    panel.SetBevelInner(bvNone);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(30, 3), kFill);
}

TEST(Frame, WithoutOuterBevelTheInnerOneStartsOnePixelPlusTheBorderIn)
{
    TGradPan panel;
    Prepare(panel);
    panel.SetBevelOuter(bvNone);
    panel.SetBevelInner(bvLowered);
    panel.SetBorderWidth(2);
    TDib dib(30, 30);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(15, 0), kFill);
    EXPECT_EQ(dib.Pixel(15, 2), kFill);
    EXPECT_EQ(dib.Pixel(15, 3), kGrey);
    EXPECT_EQ(dib.Pixel(3, 15), kGrey);
    EXPECT_EQ(dib.Pixel(15, 26), kWhite);
    EXPECT_EQ(dib.Pixel(26, 15), kWhite);
}

// Widths keep to their ranges, and a frame wider than the panel fills it without drawing line after
// invisible line, whatever the background.
TEST(Frame, WidthsKeepToTheirRangesAndAHugeFrameFillsThePanel)
{
    TGradPan panel;
    panel.SetBevelWidth(0);
    panel.SetBorderWidth(-3);
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.BorderWidth(), 0);

    panel.SetBevelWidth(2'000'000'000);
    panel.SetBorderWidth(2'000'000'000);
    panel.SetBevelInner(bvRaised);
    panel.SetCtl3D(true);
    for (TDirection effect : {bdTileImage, bdStretchImage, bdVertIn}) {
        panel.SetBackGroundEffect(effect);
        TDib dib(64, 48);
        dib.Fill(kFill);
        panel.Paint(dib.Dc(), dib.Size());
        int framePixels = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) framePixels += dib.Pixel(x, y) == kWhite || dib.Pixel(x, y) == kGrey ? 1 : 0;
        }
        EXPECT_EQ(framePixels, 64 * 48);
    }
}

}  // namespace
