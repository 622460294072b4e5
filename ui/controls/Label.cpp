#include "ui/controls/Label.h"
#include "port/win32/WideText.h"
#include "ui/Scale.h"

TLabel::TLabel(TWindow& parent, int id, const std::string& caption) : font_("MS Sans Serif", -11)
{
    CreateCustom(WS_CHILD | WS_VISIBLE, 0, parent.Handle(), id, caption.c_str());
    font_.SetDpi(Dpi());
    font_.OnChange = [this] { Changed(); };
    Changed();
}

void TLabel::SetShadowColor(TColor color)
{
    shadowColor_ = color;
    Changed();
}

void TLabel::SetShadowSize(int size)
{
    shadowSize_ = size < 0 ? 0 : size;
    Changed();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    Changed();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    if (wordWrap) autoSize_ = false;
    Changed();
}

void TLabel::SetPathEllipsis(bool pathEllipsis)
{
    pathEllipsis_ = pathEllipsis;
    if (pathEllipsis) autoSize_ = false;
    Changed();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Changed();
}

UINT TLabel::DrawFlags() const
{
    UINT flags = DT_NOPREFIX;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (pathEllipsis_) flags |= DT_SINGLELINE | DT_PATH_ELLIPSIS;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags;
}

SIZE TLabel::TextExtent() const
{
    const SIZE needed = MeasuredText();
    return SIZE{ToUnits(needed.cx, Dpi()), ToUnits(needed.cy, Dpi())};
}

SIZE TLabel::MeasuredText() const
{
    const std::wstring text = port::Widened(Text());
    HDC dc = GetDC(Handle());
    HGDIOBJ previous = SelectObject(dc, font_.Handle());
    RECT needed{0, 0, 0, 0};
    // An empty text still has the height of one line.
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &needed, DrawFlags() | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);
    const int width = text.empty() ? 0 : needed.right;
    const int shadow = Scaled(shadowSize_);
    return SIZE{width + shadow, needed.bottom + shadow};
}

void TLabel::SetBounds(int left, int top, int width, int height)
{
    if (autoSize_) {
        const SIZE needed = TextExtent();
        width = needed.cx;
        height = needed.cy;
    }
    TWindow::SetBounds(left, top, width, height);
}

// A self-sizing label takes exactly the pixels its text needs, not their round trip through units.
RECT TLabel::DeviceBounds() const
{
    RECT device = TWindow::DeviceBounds();
    if (!autoSize_) return device;
    const SIZE needed = MeasuredText();
    return RECT{device.left, device.top, device.left + needed.cx, device.top + needed.cy};
}

void TLabel::ScaleChanged()
{
    font_.SetDpi(Dpi());
    TWindow::ScaleChanged();
}

void TLabel::Changed()
{
    if (autoSize_) {
        const SIZE needed = TextExtent();
        SetSize(needed.cx, needed.cy);
    }
    Repaint();
}

LRESULT TLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(font_.Handle());
    if (message != WM_SETTEXT) return TWindow::WindowProc(message, wParam, lParam);
    const LRESULT result = DefWindowProcA(Handle(), message, wParam, lParam);
    Changed();
    return result;
}

void TLabel::Paint(HDC dc)
{
    PaintParentBackground(dc);
    const std::wstring text = port::Widened(Text());
    RECT client;
    GetClientRect(Handle(), &client);
    HGDIOBJ previous = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    const int shadowSize = Scaled(shadowSize_);
    RECT area{client.left, client.top, client.right - shadowSize, client.bottom - shadowSize};
    if (shadowSize > 0) {
        RECT shadow = area;
        OffsetRect(&shadow, shadowSize, shadowSize);
        SetTextColor(dc, ColorToRGB(shadowColor_));
        DrawTextW(dc, text.c_str(), -1, &shadow, DrawFlags());
    }
    SetTextColor(dc, ColorToRGB(font_.Color()));
    DrawTextW(dc, text.c_str(), -1, &area, DrawFlags());
    SelectObject(dc, previous);
}
