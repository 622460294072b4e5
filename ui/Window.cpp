#include "ui/Window.h"

#include "port/Exception.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "ui/Scale.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr const char* kCustomClass = "SetupUiWindow";

// Once per process, through the system's one-time initialisation: no guarded function static is left in
// setup.exe, whose runtime guard costs it 3 KB.
INIT_ONCE customClassOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK RegisterCustomClassOnce(PINIT_ONCE, PVOID procedure, PVOID*)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(procedure);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    windowClass.lpszClassName = kCustomClass;
    return RegisterClassExA(&windowClass) != 0;
}

void RegisterCustomClass(WNDPROC procedure)
{
    if (!InitOnceExecuteOnce(&customClassOnce, RegisterCustomClassOnce, reinterpret_cast<PVOID>(procedure), nullptr))
        throw Exception("Cannot register the window class");
}

HMENU AsMenu(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

TWindow::~TWindow()
{
    if (tooltip_ != nullptr) DestroyWindow(tooltip_);
    // A window destroyed with its parent no longer carries this object; leave such a handle alone.
    if (handle_ != nullptr && FromHandle(handle_) == this) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

TWindow* TWindow::FromHandle(HWND window)
{
    if (window == nullptr || IsWindow(window) == FALSE) return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TWindow::CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent, int id)
{
    handle_ = CreateWindowExA(exStyle, className, "", style | WS_CHILD, 0, 0, 0, 0, parent, AsMenu(id),
                              GetModuleHandleA(nullptr), nullptr);
    if (handle_ == nullptr) throw Exception(std::string("Cannot create a control of class ") + className);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    standard_ = true;
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont(Dpi())), FALSE);
}

void TWindow::CreateCustom(DWORD style, DWORD exStyle, HWND parent, int id, const char* text)
{
    RegisterCustomClass(Dispatch);
    HMENU menuOrId = (style & WS_CHILD) != 0 ? AsMenu(id) : nullptr;
    handle_ = CreateWindowExA(exStyle, kCustomClass, text, style, 0, 0, 0, 0, parent, menuOrId,
                              GetModuleHandleA(nullptr), this);
    if (handle_ == nullptr) throw Exception("Cannot create a window");
}

LRESULT CALLBACK TWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    TWindow* self = FromHandle(window);
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    // An exception must not unwind through the system's frames: it is shown here and the program goes on.
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        Application::HandleException();
        return 0;
    }
}

LRESULT TWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(handle_, &paint);
            Paint(dc);
            EndPaint(handle_, &paint);
            return 0;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return RouteToChild(message, wParam, lParam);
        default:
            return DefWindowProcA(handle_, message, wParam, lParam);
    }
}

LRESULT TWindow::RouteToChild(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_COMMAND:
            if (TWindow* child = FromHandle(reinterpret_cast<HWND>(lParam)); child != nullptr && lParam != 0)
                child->Command(HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (TWindow* child = FromHandle(header->hwndFrom); child != nullptr) return child->Notify(*header);
            return 0;
        }
        default: {
            // Check boxes and radio buttons take the colour of the panel they sit on.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, ColorToRGB(color_));
            if ((color_ & 0xFF000000) == 0x80000000)
                return reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(color_ & 0xFF)));
            SetDCBrushColor(dc, ColorToRGB(color_));
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
    }
}

void TWindow::Paint(HDC dc)
{
    RECT client;
    GetClientRect(handle_, &client);
    PaintBackground(dc, client);
}

void TWindow::PaintBackground(HDC dc, const RECT& area)
{
    SetDCBrushColor(dc, ColorToRGB(color_));
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TWindow::PaintParentBackground(HDC dc)
{
    RECT client;
    GetClientRect(handle_, &client);
    PaintParentBackground(dc, client);
}

void TWindow::PaintParentBackground(HDC dc, const RECT& area)
{
    HWND parentHandle = GetParent(handle_);
    TWindow* parent = FromHandle(parentHandle);
    if (parent == nullptr) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // Shift the origin so that the parent paints in its own coordinates.
    POINT offset{0, 0};
    MapWindowPoints(handle_, parentHandle, &offset, 1);
    POINT previous;
    OffsetViewportOrgEx(dc, -offset.x, -offset.y, &previous);
    RECT parentArea = area;
    OffsetRect(&parentArea, offset.x, offset.y);
    parent->PaintBackground(dc, parentArea);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void TWindow::SetBounds(int left, int top, int width, int height)
{
    bounds_ = RECT{left, top, left + width, top + height};
    ApplyBounds();
}

void TWindow::ApplyBounds()
{
    const RECT device = DeviceBounds();
    SetWindowPos(handle_, nullptr, device.left, device.top, device.right - device.left, device.bottom - device.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWindow::SetDeviceBounds(const RECT& device)
{
    const int dpi = Dpi();
    bounds_ = RECT{ToUnits(device.left, dpi), ToUnits(device.top, dpi), 0, 0};
    bounds_.right = bounds_.left + ToUnits(device.right - device.left, dpi);
    bounds_.bottom = bounds_.top + ToUnits(device.bottom - device.top, dpi);
    SetWindowPos(handle_, nullptr, device.left, device.top, device.right - device.left, device.bottom - device.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The sum of the designed places of the panels between the window and its form.
POINT TWindow::DesignOrigin() const
{
    POINT origin{0, 0};
    for (const TWindow* parent = FromHandle(GetParent(handle_));
         parent != nullptr && (GetWindowLongPtrA(parent->handle_, GWL_STYLE) & WS_CHILD) != 0;
         parent = FromHandle(GetParent(parent->handle_))) {
        origin.x += parent->bounds_.left;
        origin.y += parent->bounds_.top;
    }
    return origin;
}

RECT TWindow::DeviceBounds() const
{
    const int dpi = Dpi();
    if ((GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) == 0) return ToDevice(bounds_, POINT{0, 0}, dpi);
    RECT device = ToDevice(bounds_, DesignOrigin(), dpi);
    const TWindow* parent = FromHandle(GetParent(handle_));
    if (parent == nullptr) return device;
    const SIZE room = parent->ClientUnits();
    RECT client;
    GetClientRect(parent->handle_, &client);
    if (bounds_.right == room.cx && bounds_.left < room.cx) device.right = client.right;
    if (bounds_.bottom == room.cy && bounds_.top < room.cy) device.bottom = client.bottom;
    return device;
}

int TWindow::Dpi() const
{
    const TWindow* form = FromHandle(GetAncestor(handle_, GA_ROOT));
    if (form != nullptr && form->dpi_ > 0) return form->dpi_;
    const UINT dpi = GetDpiForWindow(handle_);
    return dpi > 0 ? static_cast<int>(dpi) : kDesignDpi;
}

int TWindow::Scaled(int units) const
{
    return ToDevice(units, Dpi());
}

void TWindow::ScaleChanged()
{
    ApplyBounds();
    if (standard_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont(Dpi())), TRUE);
}

void TWindow::SetVisible(bool visible)
{
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

std::string TWindow::Text() const
{
    const int length = GetWindowTextLengthA(handle_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(handle_, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void TWindow::SetText(const std::string& text)
{
    SetWindowTextA(handle_, text.c_str());
}

void TWindow::SetColor(TColor color)
{
    color_ = color;
    Repaint();
}

void TWindow::Repaint()
{
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
}

void TWindow::SetHint(const std::string& hint)
{
    hint_ = hint;
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(handle_, GA_ROOT), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (tooltip_ == nullptr) return;  // a control without its tooltip still works
    }
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(handle_);
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = hint_.data();
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}
