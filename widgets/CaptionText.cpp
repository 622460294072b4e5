#include "widgets/CaptionText.h"

#include "port/win32/WideText.h"
#include "widgets/ColorTable.h"
#include "widgets/GdiObject.h"
#include "widgets/WidgetError.h"

#include <climits>
#include <span>

namespace {

struct TOrigin {
    int X;
    int Y;
    UINT Align;
};

constexpr UINT kAlignLeftTop = TA_LEFT | TA_TOP;
constexpr UINT kAlignRight = TA_RIGHT;
constexpr UINT kAlignCenter = TA_CENTER;

int OriginX(TTextRotation rotation, TAlignment alignment, SIZE size, int border, int textHeight)
{
    switch (rotation) {
        case TrUp:
            if (alignment == taLeftJustify) return border + 2;
            if (alignment == taRightJustify) return size.cx - border - textHeight - 1;
            return size.cx / 2 - textHeight / 2;
        case TrDown:
            if (alignment == taLeftJustify) return textHeight + border + 1;
            if (alignment == taRightJustify) return size.cx - border - 2;
            return textHeight / 2 + size.cx / 2;
        default:
            if (alignment == taLeftJustify) return border + 2;
            if (alignment == taRightJustify) return size.cx - border - 2;
            return size.cx / 2;
    }
}

int OriginY(TTextRotation rotation, TVertAlign vertAlign, SIZE size, int border, int textHeight)
{
    if (vertAlign == vlCenter) return size.cy / 2 - textHeight / 2;
    switch (rotation) {
        case TrUp:
            return vertAlign == vlTop ? border + 2 : size.cy - border - 1;
        case TrDown:
            return vertAlign == vlTop ? border + 1 : size.cy - border - 2;
        default:
            return vertAlign == vlTop ? border + 2 : size.cy - border - textHeight - 1;
    }
}

// Unrotated text is aligned by its horizontal setting; rotated text by its vertical one, which then runs
// along the line of text (up the panel for TrUp, down it for TrDown).
UINT TextAlignment(TTextRotation rotation, TAlignment alignment, TVertAlign vertAlign)
{
    if (rotation == trNone) {
        if (alignment == taLeftJustify) return kAlignLeftTop;
        return alignment == taRightJustify ? kAlignRight : kAlignCenter;
    }
    if (vertAlign == vlCenter) return kAlignCenter;
    const bool beginsAtOrigin = (rotation == TrUp) == (vertAlign == VlBottom);
    return beginsAtOrigin ? kAlignLeftTop : kAlignRight;
}

TOrigin Origin(const TCaption& caption, SIZE size, int border, int textHeight)
{
    return TOrigin{OriginX(caption.Rotation, caption.Alignment, size, border, textHeight),
                   OriginY(caption.Rotation, caption.VertAlign, size, border, textHeight),
                   TextAlignment(caption.Rotation, caption.Alignment, caption.VertAlign)};
}

enum class TInk { Shadow, Black, Font };

struct TDraw {
    int Dx;
    int Dy;
    TInk Ink;
};

// Each effect's draws, in the order they are made; the last one, on top, is the caption itself in the font's
// colour. Without an effect the caption is drawn once, in the shadow colour.
std::span<const TDraw> DrawsOf(TTextEffect effect)
{
    static constexpr TDraw plain[] = {{0, 0, TInk::Shadow}};
    static constexpr TDraw shadow[] = {{1, 1, TInk::Shadow}, {0, 0, TInk::Font}};
    static constexpr TDraw raised[] = {
        {-1, 0, TInk::Shadow}, {0, -1, TInk::Shadow}, {1, 0, TInk::Black}, {0, 1, TInk::Black}, {0, 0, TInk::Font}};
    static constexpr TDraw lowered[] = {
        {1, 0, TInk::Shadow}, {0, 1, TInk::Shadow}, {-1, 0, TInk::Black}, {0, -1, TInk::Black}, {0, 0, TInk::Font}};
    static constexpr TDraw embossed[] = {
        {-1, 0, TInk::Shadow}, {1, 0, TInk::Shadow}, {0, -1, TInk::Shadow}, {0, 1, TInk::Shadow}, {0, 0, TInk::Font}};
    switch (effect) {
        case teShadow:
            return shadow;
        case teRaised:
            return raised;
        case teLowered:
            return lowered;
        case teEmbossed:
            return embossed;
        default:
            return plain;
    }
}

COLORREF InkColor(TInk ink, const TCaption& caption, TColor fontColor)
{
    if (ink == TInk::Black) return RGB(0, 0, 0);
    return ResolvedColor(ink == TInk::Shadow ? caption.ColorShadow : fontColor);
}

// The selected font turned by `angle` degrees (escapement only; the orientation is left as it is).
HFONT CreateRotatedFont(HDC dc, int angle)
{
    LOGFONTW record{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(record), &record)) {
        throw EWidgetError("Cannot read the caption's font");
    }
    record.lfEscapement = angle * 10;
    HFONT rotated = CreateFontIndirectW(&record);
    if (!rotated) throw EWidgetError("Cannot create the caption's rotated font");
    return rotated;
}

int RotationAngle(TTextRotation rotation)
{
    if (rotation == TrUp) return 90;
    return rotation == TrDown ? 270 : 0;
}

int TextHeight(HDC dc)
{
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"^_", 2, &extent);
    return extent.cy;
}

void DrawWithEffect(HDC dc, const TOrigin& origin, const TCaption& caption, TColor fontColor)
{
    // GDI's ANSI calls keep the system's code page: the caption goes wide. TextOutW takes an int count; a
    // caption beyond that is beyond any screen.
    const std::wstring text = port::Widened(caption.Text);
    const int length = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    for (const TDraw& draw : DrawsOf(caption.Effect)) {
        SetTextColor(dc, InkColor(draw.Ink, caption, fontColor));
        TextOutW(dc, origin.X + draw.Dx, origin.Y + draw.Dy, text.data(), length);
    }
}

}  // namespace

void PaintCaption(HDC dc, SIZE size, const TCaption& caption, TColor fontColor, int border)
{
    if (caption.Text.empty()) return;
    const TOrigin origin = Origin(caption, size, border, TextHeight(dc));
    SetTextAlign(dc, origin.Align);
    if (caption.Rotation == trNone) {
        DrawWithEffect(dc, origin, caption, fontColor);
        return;
    }
    TGdiObject<HFONT> rotated(CreateRotatedFont(dc, RotationAngle(caption.Rotation)));
    TSelection selection(dc, rotated.Get());
    DrawWithEffect(dc, origin, caption, fontColor);
}
