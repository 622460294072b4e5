#include "widgets/ColorTable.h"
#include "widgets/Gradpan.h"

#include <gtest/gtest.h>

#include "testsupport/widgets/Dib.h"

namespace {

// A panel without frame lines, so that every pixel read is background.
void Unframe(TGradPan& panel)
{
    panel.SetBevelOuter(bvNone);
    panel.SetBevelInner(bvNone);
}

TEST(ColorTable, StartsAtTheFirstColourAndStopsOneStepShortOfTheSecond)
{
    const TColorTable table = MakeColorTable(0x808000, 0xFFFFFF);
    EXPECT_EQ(table[0], RGB(0, 128, 128));
    EXPECT_EQ(table[1], RGB(2, 129, 129)) << "2.55 and 1.27 per step, truncated";
    EXPECT_EQ(table[99], RGB(252, 253, 253));
    const TColorTable falling = MakeColorTable(0xFFFFFF, 0x000000);
    EXPECT_EQ(falling[1], RGB(252, 252, 252)) << "255 - 2.55 truncates toward zero";
    EXPECT_EQ(falling[99], RGB(2, 2, 2));
}

TEST(Gradient, NewPanelPaintsMirroredColumnsFromEntryOneToStartColour)
{
    TGradPan panel;
    TDib dib(200, 60);
    panel.Paint(dib.Dc(), dib.Size());
    const TColorTable table = MakeColorTable(panel.ColorStart(), panel.ColorEnd());
    EXPECT_EQ(dib.Pixel(1, 30), table[1]) << "the left band, inside the one-pixel bevel";
    EXPECT_EQ(dib.Pixel(98, 30), table[99]) << "band 49 meets the middle";
    EXPECT_EQ(dib.Pixel(100, 30), table[98]) << "band 50 starts back down";
    EXPECT_EQ(dib.Pixel(198, 30), RGB(0, 128, 128)) << "the rightmost band is ColorStart itself";
    EXPECT_EQ(dib.Pixel(198, 1), dib.Pixel(198, 58)) << "columns run the full height";
}

TEST(Gradient, EachEffectRunsItsWayInRowsOrColumns)
{
    struct TCase {
        TDirection Effect;
        bool FromEnd;
        bool Rows;
        int First, Middle, Last;  // entries of the first band, band 49 and the last band
    };
    const TCase cases[] = {
        {bdUp, false, true, 0, 49, 99},     {bdDown, true, true, 0, 49, 99},    {bdLeft, false, false, 0, 49, 99},
        {bdRight, true, false, 0, 49, 99},  {bdHorzIn, false, true, 1, 99, 0},  {bdHorzOut, true, true, 1, 99, 0},
        {bdVertIn, false, false, 1, 99, 0}, {bdVertOut, true, false, 1, 99, 0},
    };
    const TColor start = 0x0000C8;
    const TColor end = 0xC86400;
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Effect));
        TGradPan panel;
        Unframe(panel);
        panel.SetColorStart(start);
        panel.SetColorEnd(end);
        panel.SetBackGroundEffect(c.Effect);
        TDib dib(100, 100);  // one pixel per band
        panel.Paint(dib.Dc(), dib.Size());
        const TColorTable table = c.FromEnd ? MakeColorTable(end, start) : MakeColorTable(start, end);
        const auto at = [&](int band, int across) {
            return c.Rows ? dib.Pixel(across, band) : dib.Pixel(band, across);
        };
        EXPECT_EQ(at(0, 50), table[static_cast<std::size_t>(c.First)]);
        EXPECT_EQ(at(49, 7), table[static_cast<std::size_t>(c.Middle)]);
        EXPECT_EQ(at(99, 93), table[static_cast<std::size_t>(c.Last)]);
        EXPECT_EQ(at(49, 0), at(49, 99)) << "a band spans the panel";
    }
}

TEST(Gradient, OneColourGradientShowsThatColourEverywhere)
{
    TGradPan panel;
    Unframe(panel);
    panel.SetBackGroundEffect(bdUp);
    panel.SetColorStart(0x3366CC);
    panel.SetColorEnd(0x3366CC);
    TDib dib(37, 151);
    panel.Paint(dib.Dc(), dib.Size());
    for (int y = 0; y < 151; ++y) {
        for (int x = 0; x < 37; ++x) ASSERT_EQ(dib.Pixel(x, y), RGB(0xCC, 0x66, 0x33)) << x << "," << y;
    }
}

TEST(Gradient, TakesTheLowBytesOfSystemColoursWhileFlatFillResolvesThem)
{
    const TColor btnFace = 0x8000000F;
    TGradPan panel;
    Unframe(panel);
    panel.SetColorStart(btnFace);
    panel.SetColorEnd(btnFace);
    panel.SetBackGroundEffect(bdUp);
    TDib dib(40, 40);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(20, 20), RGB(0x0F, 0, 0));

    panel.SetBackGroundEffect(bdFlat);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(20, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), RGB(0x0F, 0, 0));
}

TEST(Gradient, NarrowPanelPlacesBandEdgesByRoundingAndLeavesSomeBandsEmpty)
{
    TGradPan panel;
    Unframe(panel);
    panel.SetBackGroundEffect(bdLeft);
    panel.SetColorStart(0x000000);
    panel.SetColorEnd(0x0000C8);  // red climbs by 2 per entry
    TDib dib(30, 10);
    panel.Paint(dib.Dc(), dib.Size());
    // Band i covers columns MulDiv(i, 30, 100) up to MulDiv(i + 1, 30, 100); bands 2 and 3 are empty, and
    // MulDiv's rounding (truncation would differ) gives band 4 column 1 and band 98 the last column.
    EXPECT_EQ(dib.Pixel(0, 5), RGB(2, 0, 0));
    EXPECT_EQ(dib.Pixel(1, 5), RGB(8, 0, 0));
    EXPECT_EQ(dib.Pixel(29, 5), RGB(196, 0, 0));
}

// A picture the panel can copy: drawn here and selected nowhere. Quadrants of the given colours, and
// the top-left pixel marked red so that each copy's origin can be found.
TGdiObject<HBITMAP> Picture(SIZE size, COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft, COLORREF bottomRight)
{
    TGdiObject<HBITMAP> bitmap(CreateDib(size));
    TMemoryDC dc;
    TSelection selection(dc.Get(), bitmap.Get());
    const LONG midX = size.cx / 2;
    const LONG midY = size.cy / 2;
    const RECT quadrants[] = {
        {0, 0, midX, midY}, {midX, 0, size.cx, midY}, {0, midY, midX, size.cy}, {midX, midY, size.cx, size.cy}};
    const COLORREF colors[] = {topLeft, topRight, bottomLeft, bottomRight};
    for (int i = 0; i < 4; ++i) {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(colors[i]));
        FillRect(dc.Get(), &quadrants[i], brush.Get());
    }
    SetPixel(dc.Get(), 0, 0, RGB(255, 0, 0));
    return bitmap;
}

int CountPixels(const TDib& dib, COLORREF color)
{
    int count = 0;
    for (int y = 0; y < dib.Size().cy; ++y) {
        for (int x = 0; x < dib.Size().cx; ++x) count += dib.Pixel(x, y) == color ? 1 : 0;
    }
    return count;
}

constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(Picture, TilesWholeCopiesFromTheCornerUnclippedAndKeepsItsOwnCopy)
{
    TGradPan panel;
    Unframe(panel);
    panel.SetBackGroundEffect(bdTileImage);
    {
        TGdiObject<HBITMAP> source = Picture({50, 50}, kGreen, kGreen, kGreen, kGreen);
        panel.SetBitmap(source.Get());
    }  // the caller's bitmap is gone; the panel paints its copy
    TDib dib(120, 80);
    panel.Paint(dib.Dc(), dib.Size());
    for (int x : {0, 50, 100}) {
        for (int y : {0, 50}) EXPECT_EQ(dib.Pixel(x, y), kRed) << x << "," << y;
    }
    EXPECT_EQ(CountPixels(dib, kRed), 6) << "3 columns and 2 rows, the last ones cut by the panel's edge";
    EXPECT_EQ(dib.Pixel(119, 79), kGreen);
}

TEST(Picture, TilesInsideTheFrameWithThe3DBorder)
{
    TGradPan panel;
    Unframe(panel);
    panel.SetBackGroundEffect(bdTileImage);
    panel.SetCtl3D(true);
    panel.SetBorderWidth(2);  // inset 2 x bevel width 1 + border 2 = 4
    TGdiObject<HBITMAP> source = Picture({50, 50}, kGreen, kGreen, kGreen, kGreen);
    panel.SetBitmap(source.Get());
    TDib dib(120, 80);
    panel.Paint(dib.Dc(), dib.Size());
    for (int x : {4, 54, 104}) {
        for (int y : {4, 54}) EXPECT_EQ(dib.Pixel(x, y), kRed) << x << "," << y;
    }
    EXPECT_EQ(CountPixels(dib, kRed), 6);
    EXPECT_EQ(dib.Pixel(3, 3), GetSysColor(COLOR_BTNFACE)) << "the inset shows the panel's colour";
}

TEST(Picture, StretchesIntoTheInsetRectangleButForItsLastColumnAndRow)
{
    const COLORREF blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0), white = RGB(255, 255, 255);
    TGradPan panel;
    Unframe(panel);
    panel.SetColor(0x123456);
    panel.SetBackGroundEffect(bdStretchImage);
    TGdiObject<HBITMAP> source = Picture({20, 20}, kGreen, blue, yellow, white);
    panel.SetBitmap(source.Get());
    TDib dib(81, 61);  // the picture fills (0, 0) to (80, 60), exclusive
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(10, 10), kGreen);
    EXPECT_EQ(dib.Pixel(70, 10), blue);
    EXPECT_EQ(dib.Pixel(10, 50), yellow);
    EXPECT_EQ(dib.Pixel(79, 59), white);
    EXPECT_EQ(dib.Pixel(80, 30), RGB(0x56, 0x34, 0x12)) << "last column: the panel's colour";
    EXPECT_EQ(dib.Pixel(40, 60), RGB(0x56, 0x34, 0x12)) << "last row: the panel's colour";
}

TEST(Picture, NewPanelHoldsTheOutlinedWhiteSquareAndAnEmptyPicturePaintsFlat)
{
    TGradPan panel;
    Unframe(panel);
    panel.SetBackGroundEffect(bdTileImage);
    TDib dib(50, 50);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_EQ(dib.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dib.Pixel(48, 48), RGB(0, 0, 0));
    EXPECT_EQ(dib.Pixel(25, 25), RGB(255, 255, 255));
    EXPECT_EQ(dib.Pixel(49, 10), RGB(255, 255, 255)) << "the outline ends at 48";

    panel.SetBitmap(nullptr);
    panel.SetColorStart(0x00FF00);
    panel.Paint(dib.Dc(), dib.Size());
    EXPECT_TRUE(panel.Bitmap().Empty());
    EXPECT_EQ(CountPixels(dib, RGB(0, 255, 0)), 50 * 50);
}

}  // namespace
