#include "ui/controls/Frame.h"

#include "port/win32/WideText.h"
#include "ui/Font.h"

namespace {

constexpr int kCaptionLeft = 8;

}  // namespace

TGroupBox::TGroupBox(TWindow& parent, int id, const std::string& caption)
{
    CreateCustom(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent.Handle(), id, caption.c_str());
}

void TGroupBox::PaintBackground(HDC dc, const RECT& area)
{
    PaintParentBackground(dc, area);
}

LRESULT TGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(DefaultFont(Dpi()));
    if (message != WM_SETTEXT) return TWindow::WindowProc(message, wParam, lParam);
    const LRESULT result = DefWindowProcA(Handle(), message, wParam, lParam);
    Repaint();
    return result;
}

// The etched frame runs through the middle of the caption's line and breaks where the caption stands.
void TGroupBox::Paint(HDC dc)
{
    PaintParentBackground(dc);
    const std::wstring text = port::Widened(Text());
    HGDIOBJ previous = SelectObject(dc, DefaultFont(Dpi()));
    RECT caption{Scaled(kCaptionLeft), 0, Scaled(kCaptionLeft), 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &caption, DT_SINGLELINE | DT_CALCRECT);
    if (text.empty()) caption.right = caption.left;

    RECT frame;
    GetClientRect(Handle(), &frame);
    frame.top = caption.bottom / 2;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RestoreDC(dc, saved);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), -1, &caption, DT_SINGLELINE);
    SelectObject(dc, previous);
}
