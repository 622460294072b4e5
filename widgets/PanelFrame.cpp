#include "widgets/PanelFrame.h"

#include "widgets/ColorTable.h"
#include "widgets/GdiObject.h"

#include <algorithm>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A one-pixel line that includes its start point and excludes its end point.
void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// One bevel `inset` pixels in from the edge: the light top and left lines first, then the dark bottom and
// right ones. A raised cut is lit from the top left; every other cut the other way round.
void PaintBevel(HDC dc, SIZE size, TBevelCut cut, int inset, int width)
{
    const bool raised = cut == bvRaised;
    // From the larger side on, all four lines fall outside the panel.
    const int end = static_cast<int>(std::min<LONG>(inset + width, std::max(size.cx, size.cy)));
    TGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, raised ? kWhite : kGrey));
    TGdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, raised ? kGrey : kWhite));
    {
        TSelection pen(dc, light.Get());
        for (int k = inset; k < end; ++k) {
            Line(dc, k, k, size.cx - k, k);
            Line(dc, k, k, k, size.cy - k);
        }
    }
    TSelection pen(dc, dark.Get());
    for (int k = inset; k < end; ++k) {
        Line(dc, k, size.cy - k - 1, size.cx - k, size.cy - k - 1);
        Line(dc, size.cx - k - 1, size.cy - k - 1, size.cx - k - 1, k);
    }
}

void PaintBorder(HDC dc, SIZE size, const TFrame& frame)
{
    const int e = frame.BevelOuter != bvNone ? frame.BevelWidth - 1 : 0;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ResolvedColor(frame.Color)));
    // Rectangles from the larger side on are empty.
    const int last = static_cast<int>(std::min<LONG>(frame.BorderWidth, std::max(size.cx, size.cy)));
    for (int i = 1; i <= last; ++i) {
        const RECT rect{e + i, e + i, size.cx - i - e, size.cy - i - e};
        FrameRect(dc, &rect, brush.Get());
    }
}

}  // namespace

void PaintFrame(HDC dc, SIZE size, const TFrame& frame)
{
    if (frame.BevelOuter != bvNone) PaintBevel(dc, size, frame.BevelOuter, 0, frame.BevelWidth);
    if (frame.BevelInner == bvNone) return;
    const int inset = (frame.BevelOuter != bvNone ? frame.BevelWidth : 1) + frame.BorderWidth;
    PaintBevel(dc, size, frame.BevelInner, inset, frame.BevelWidth);
    if (frame.Ctl3D) PaintBorder(dc, size, frame);
}
