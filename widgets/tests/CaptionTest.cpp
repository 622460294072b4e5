#include "widgets/Gradpan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testsupport/widgets/Dib.h"

namespace {

constexpr COLORREF kBackground = RGB(40, 60, 90);
constexpr TColor kBackgroundValue = 0x5A3C28;
constexpr COLORREF kFontColor = RGB(250, 240, 10);
constexpr COLORREF kShadowColor = RGB(200, 0, 200);

TPanelFont TestFont()
{
    TPanelFont font;
    font.Name = "Tahoma";
    font.Height = -21;
    font.Color = 0x0AF0FA;
    font.Bold = true;
    return font;
}

// A flat panel without frame lines, with the test font; B (border plus bevel width) is 1 + borderWidth.
void Prepare(TGradPan& panel, const std::string& caption, int borderWidth = 0)
{
    panel.SetBevelOuter(bvNone);
    panel.SetBackGroundEffect(bdFlat);
    panel.SetColorStart(kBackgroundValue);
    panel.SetColorShadow(0xC800C8);
    panel.SetFont(TestFont());
    panel.SetBorderWidth(borderWidth);
    panel.SetCaption(caption);
}

struct TInkAt {
    int Dx;
    int Dy;
    COLORREF Color;
};

// What the panel should look like: its background, then the caption drawn at each listed place, in order,
// with the given font turned by `angle` degrees and aligned by `align`.
void DrawExpected(const TDib& dib, const std::string& text, int x, int y, UINT align, int angle,
                  const std::vector<TInkAt>& draws)
{
    dib.Fill(kBackground);
    TGdiObject<HFONT> upright(CreatePanelFont(TestFont()));
    LOGFONTA record{};
    GetObjectA(upright.Get(), sizeof(record), &record);
    record.lfEscapement = angle * 10;
    TGdiObject<HFONT> font(CreateFontIndirectA(&record));
    TSelection selection(dib.Dc(), font.Get());
    SetBkMode(dib.Dc(), TRANSPARENT);
    SetTextAlign(dib.Dc(), align);
    for (const TInkAt& draw : draws) {
        SetTextColor(dib.Dc(), draw.Color);
        TextOutA(dib.Dc(), x + draw.Dx, y + draw.Dy, text.data(), static_cast<int>(text.size()));
    }
}

int TextHeight()
{
    TDib dib(1, 1);
    TGdiObject<HFONT> font(CreatePanelFont(TestFont()));
    TSelection selection(dib.Dc(), font.Get());
    SIZE extent{};
    GetTextExtentPoint32A(dib.Dc(), "^_", 2, &extent);
    return extent.cy;
}

// The number of pixels that differ, and a check that the caption shows at all in the colour drawn on top.
void ExpectSameImage(const TDib& actual, const TDib& expected, COLORREF topInk = kFontColor)
{
    int differ = 0;
    int inkPixels = 0;
    for (int y = 0; y < actual.Size().cy; ++y) {
        for (int x = 0; x < actual.Size().cx; ++x) {
            differ += actual.Pixel(x, y) != expected.Pixel(x, y) ? 1 : 0;
            inkPixels += actual.Pixel(x, y) == topInk ? 1 : 0;
        }
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(inkPixels, 20);
}

TEST(Caption, EachEffectDrawsItsCopiesAroundTheOriginInOrder)
{
    const COLORREF black = RGB(0, 0, 0);
    struct TCase {
        TTextEffect Effect;
        std::vector<TInkAt> Draws;
    };
    const TCase cases[] = {
        {tenone, {{0, 0, kShadowColor}}},
        {teShadow, {{1, 1, kShadowColor}, {0, 0, kFontColor}}},
        {teRaised, {{-1, 0, kShadowColor}, {0, -1, kShadowColor}, {1, 0, black}, {0, 1, black}, {0, 0, kFontColor}}},
        {teLowered, {{1, 0, kShadowColor}, {0, 1, kShadowColor}, {-1, 0, black}, {0, -1, black}, {0, 0, kFontColor}}},
        {teEmbossed,
         {{-1, 0, kShadowColor},
          {1, 0, kShadowColor},
          {0, -1, kShadowColor},
          {0, 1, kShadowColor},
          {0, 0, kFontColor}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Effect));
        TGradPan panel;
        Prepare(panel, "Welcome");
        panel.SetAlignment(taLeftJustify);
        panel.SetVertAlign(vlTop);
        panel.SetTextEffect(c.Effect);
        TDib actual(160, 50);
        panel.Paint(actual.Dc(), actual.Size());
        TDib expected(160, 50);
        DrawExpected(expected, "Welcome", 3, 3, TA_LEFT | TA_TOP, 0, c.Draws);  // B + 2 = 3
        ExpectSameImage(actual, expected, c.Draws.back().Color);
    }
}

TEST(Caption, OriginAndAlignmentFollowRotationAlignmentAndVerticalAlignment)
{
    const int w = 201, h = 151, b = 3, th = TextHeight();
    struct TCase {
        TTextRotation Rotation;
        TAlignment Alignment;
        TVertAlign VertAlign;
        int X, Y;
        UINT Align;
        int Angle;
    };
    const TCase cases[] = {
        {trNone, taLeftJustify, vlTop, b + 2, b + 2, TA_LEFT, 0},
        {trNone, taRightJustify, VlBottom, w - b - 2, h - b - th - 1, TA_RIGHT, 0},
        {trNone, taCenter, vlCenter, w / 2, h / 2 - th / 2, TA_CENTER, 0},
        {TrUp, taLeftJustify, vlTop, b + 2, b + 2, TA_RIGHT, 90},
        {TrUp, taRightJustify, VlBottom, w - b - th - 1, h - b - 1, TA_LEFT, 90},
        {TrUp, taCenter, vlCenter, w / 2 - th / 2, h / 2 - th / 2, TA_CENTER, 90},
        {TrDown, taLeftJustify, vlTop, th + b + 1, b + 1, TA_LEFT, 270},
        {TrDown, taRightJustify, VlBottom, w - b - 2, h - b - 2, TA_RIGHT, 270},
        {TrDown, taCenter, vlCenter, th / 2 + w / 2, h / 2 - th / 2, TA_CENTER, 270},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Rotation) + " " + std::to_string(c.Alignment) + " " +
                     std::to_string(c.VertAlign));
        TGradPan panel;
        Prepare(panel, "Setup", 2);
        panel.SetTextEffect(tenone);
        panel.SetTextRotation(c.Rotation);
        panel.SetAlignment(c.Alignment);
        panel.SetVertAlign(c.VertAlign);
        TDib actual(w, h);
        panel.Paint(actual.Dc(), actual.Size());
        TDib expected(w, h);
        DrawExpected(expected, "Setup", c.X, c.Y, c.Align, c.Angle, {{0, 0, kShadowColor}});
        ExpectSameImage(actual, expected, kShadowColor);
    }
}

// A caption far longer than any fixed text buffer, turned to run down the panel: every character is drawn.
TEST(Caption, RotatedCaptionOfAThousandCharactersIsDrawnWhole)
{
    std::string caption;
    for (int i = 0; i < 1000; ++i) caption += static_cast<char>('A' + i % 26);
    TGradPan panel;
    Prepare(panel, caption);
    panel.SetTextEffect(tenone);
    panel.SetTextRotation(TrDown);
    panel.SetAlignment(taLeftJustify);
    panel.SetVertAlign(vlTop);

    TDib measure(1, 1);
    TGdiObject<HFONT> font(CreatePanelFont(TestFont()));
    TSelection selection(measure.Dc(), font.Get());
    SIZE all{}, most{};
    GetTextExtentPoint32A(measure.Dc(), caption.data(), 1000, &all);
    GetTextExtentPoint32A(measure.Dc(), caption.data(), 990, &most);

    TDib dib(60, all.cx + 20);
    panel.Paint(dib.Dc(), dib.Size());
    int lastInk = -1;
    for (int y = 0; y < dib.Size().cy; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (dib.Pixel(x, y) == kShadowColor) lastInk = y;
        }
    }
    EXPECT_GT(lastInk, 2 + most.cx) << "the last ten characters show";
    EXPECT_LE(lastInk, 2 + all.cx);
}

}  // namespace
