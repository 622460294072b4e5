#include "widgets/Gradpan.h"

#include "widgets/ColorTable.h"
#include "widgets/GdiObject.h"
#include "widgets/HitTest.h"
#include "widgets/WidgetError.h"

#include <algorithm>
#include <exception>

namespace {

constexpr char kClassName[] = "TGradPan";

// No screen shows a wider frame; the cap keeps the frame's sums (insets, text origins) within range.
constexpr int kMaxFrameWidth = 32767;

// Registered once per process, on the first window made, through the system's one-time initialisation: no
// guarded function static is left in setup.exe, whose runtime guard costs it 3 KB.
INIT_ONCE classOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK RegisterGradPanClassOnce(PINIT_ONCE, PVOID windowProc, PVOID*)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(windowProc);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

void RegisterGradPanClass(WNDPROC windowProc)
{
    if (!InitOnceExecuteOnce(&classOnce, RegisterGradPanClassOnce, reinterpret_cast<PVOID>(windowProc), nullptr))
        throw EWidgetError("Cannot register the gradient panel's window class");
}

bool IsPicture(TDirection effect)
{
    return effect == bdStretchImage || effect == bdTileImage;
}

}  // namespace

TGradPan::TGradPan() = default;

TGradPan::TGradPan(HWND parent, const RECT& bounds, int id)
{
    RegisterGradPanClass(&TGradPan::WindowProc);
    // WindowProc takes the panel from the creation parameters and sets window_ on the first message.
    CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, bounds.left,
                    bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    if (!window_) throw EWidgetError("Cannot create the gradient panel's window");
}

TGradPan::~TGradPan()
{
    if (window_) DestroyWindow(window_);
}

void TGradPan::Paint(HDC dc, SIZE size) const
{
    TGdiObject<HFONT> font(CreatePanelFont(font_));
    const TSavedDC saved(dc);
    SelectObject(dc, font.Get());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SetROP2(dc, R2_COPYPEN);

    TGdiObject<HBRUSH> face(CreateSolidBrush(ResolvedColor(frame_.Color)));
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, face.Get());

    TBackground background = background_;
    background.Inset = frame_.Ctl3D ? 2 * frame_.BevelWidth + frame_.BorderWidth : 0;
    PaintBackground(dc, size, background, bitmap_);

    SetBkMode(dc, TRANSPARENT);
    PaintCaption(dc, size, caption_, font_.Color, frame_.BorderWidth + frame_.BevelWidth);
    PaintFrame(dc, size, frame_);
}

void TGradPan::SetCaption(const std::string& caption)
{
    caption_.Text = caption;
    if (window_) SetWindowTextA(window_, caption.c_str());
    Repaint();
}

void TGradPan::SetFont(const TPanelFont& font)
{
    font_ = font;
    Repaint();
}

void TGradPan::SetColor(TColor color)
{
    frame_.Color = color;
    Repaint();
}

void TGradPan::SetAlignment(TAlignment alignment)
{
    caption_.Alignment = alignment;
    Repaint();
}

void TGradPan::SetBevelInner(TBevelCut cut)
{
    frame_.BevelInner = cut;
    Repaint();
}

void TGradPan::SetBevelOuter(TBevelCut cut)
{
    frame_.BevelOuter = cut;
    Repaint();
}

void TGradPan::SetBevelWidth(int width)
{
    frame_.BevelWidth = std::clamp(width, 1, kMaxFrameWidth);
    Repaint();
}

void TGradPan::SetBorderWidth(int width)
{
    frame_.BorderWidth = std::clamp(width, 0, kMaxFrameWidth);
    Repaint();
}

void TGradPan::SetBitmap(HBITMAP bitmap)
{
    bitmap_.Assign(bitmap);
    if (IsPicture(background_.Effect)) Repaint();
}

void TGradPan::SetBackGroundEffect(TDirection effect)
{
    background_.Effect = effect;
    Repaint();
}

void TGradPan::SetColorStart(TColor color)
{
    background_.ColorStart = color;
    Repaint();
}

void TGradPan::SetColorEnd(TColor color)
{
    background_.ColorEnd = color;
    Repaint();
}

void TGradPan::SetColorShadow(TColor color)
{
    caption_.ColorShadow = color;
    Repaint();
}

void TGradPan::SetCtl3D(bool ctl3D)
{
    frame_.Ctl3D = ctl3D;
    Repaint();
}

void TGradPan::SetTextEffect(TTextEffect effect)
{
    caption_.Effect = effect;
    Repaint();
}

void TGradPan::SetTextRotation(TTextRotation rotation)
{
    caption_.Rotation = rotation;
    Repaint();
}

void TGradPan::SetVertAlign(TVertAlign vertAlign)
{
    caption_.VertAlign = vertAlign;
    Repaint();
}

LRESULT CALLBACK TGradPan::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* panel = static_cast<TGradPan*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        panel->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    }
    auto* panel = reinterpret_cast<TGradPan*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!panel) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        panel->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return panel->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        // No exception may cross the system's frames; the user is told, as for any failed handler.
        MessageBoxA(GetAncestor(window, GA_ROOT), error.what(), "Error", MB_OK | MB_ICONERROR);
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT TGradPan::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintWindow();
            return 0;
        case WM_NCHITTEST:
            return HitTest(lParam);
        case WM_MOVE:
            if (OnPanelMove) OnPanelMove(*this);
            break;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// A panel that is not movable answers "nowhere": its surface takes no mouse input.
LRESULT TGradPan::HitTest(LPARAM screenPoint) const
{
    if (!Moveable) return HTNOWHERE;
    POINT client{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    ScreenToClient(window_, &client);
    return MoveableHitTest(client, ClientSize(), Marge);
}

// Painted off screen first, so the window never shows a half-drawn panel.
void TGradPan::PaintWindow()
{
    struct TPaintScope {
        HWND Window;
        PAINTSTRUCT Ps{};
        HDC Dc = BeginPaint(Window, &Ps);
        ~TPaintScope() { EndPaint(Window, &Ps); }
    } scope{window_};
    const SIZE size = ClientSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    TMemoryDC buffer;
    TGdiObject<HBITMAP> pixels(CreateCompatibleBitmap(scope.Dc, size.cx, size.cy));
    TSelection selection(buffer.Get(), pixels.Get());
    Paint(buffer.Get(), size);
    BitBlt(scope.Dc, 0, 0, size.cx, size.cy, buffer.Get(), 0, 0, SRCCOPY);
}

SIZE TGradPan::ClientSize() const
{
    RECT client{};
    GetClientRect(window_, &client);
    return SIZE{client.right, client.bottom};
}

void TGradPan::Repaint() const
{
    if (window_) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
