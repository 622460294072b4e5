#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/Scale.h"

#include <vector>

namespace {

DWORD StyleOf(TFormStyle style)
{
    if (style == fsScreen) return WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
}

// Disables the program's other top-level windows while a modal form runs, and enables them afterwards.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND except) : except_(except)
    {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledWindows()
    {
        for (HWND window : disabled_)
            if (IsWindow(window) != FALSE) EnableWindow(window, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self)
    {
        auto* list = reinterpret_cast<TDisabledWindows*>(self);
        if (window != list->except_ && IsWindowVisible(window) != FALSE && IsWindowEnabled(window) != FALSE) {
            EnableWindow(window, FALSE);
            list->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND except_;
    std::vector<HWND> disabled_;
};

}  // namespace

TForm::TForm(TFormStyle style, const std::string& caption, HWND owner) : style_(style)
{
    CreateCustom(StyleOf(style), WS_EX_CONTROLPARENT | (style == fsDialog ? WS_EX_DLGMODALFRAME : 0), owner, 0,
                 caption.c_str());
    const UINT dpi = GetDpiForWindow(Handle());
    SetDpi(dpi > 0 ? static_cast<int>(dpi) : kDesignDpi);
}

TForm::~TForm() = default;

TForm* TForm::Of(const TWindow& control)
{
    return dynamic_cast<TForm*>(FromHandle(GetAncestor(control.Handle(), GA_ROOT)));
}

void TForm::Show()
{
    if (style_ == fsDialog) {
        RECT bounds;
        GetWindowRect(Handle(), &bounds);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        SetDeviceBounds(RECT{left, top, left + width, top + height});
    }
    // Without a window manager (as under Xvfb) maximising alone leaves the window at its old size.
    if (style_ == fsScreen) SetDeviceBounds(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    if (OnShow) OnShow();
    ShowWindow(Handle(), style_ == fsScreen ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(Handle());
    if (activeControl_ != nullptr) SetFocus(activeControl_->Handle());
}

void TForm::Close()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    ShowWindow(Handle(), SW_HIDE);
    if (isMain_) Application::Terminate();
}

TModalResult TForm::ShowModal()
{
    modalResult_ = mrNone;
    modal_ = true;
    {
        TDisabledWindows others(Handle());
        Show();
        SetForegroundWindow(Handle());
        MSG message;
        while (modalResult_ == mrNone) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
                // The program is ending: hand the quit on to the main loop.
                Application::Terminate();
                if (modalResult_ == mrNone) modalResult_ = mrCancel;
                break;
            }
            Application::DispatchOne(message);
        }
    }
    ShowWindow(Handle(), SW_HIDE);
    modal_ = false;
    return modalResult_;
}

void TForm::SetClientSize(int width, int height)
{
    clientUnits_ = SIZE{width, height};
    RECT bounds{0, 0, ToDevice(width, Dpi()), ToDevice(height, Dpi())};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    RECT now;
    GetWindowRect(Handle(), &now);
    SetDeviceBounds(
        RECT{now.left, now.top, now.left + bounds.right - bounds.left, now.top + bounds.bottom - bounds.top});
}

// A designed client size is kept as designed; the screen's own follows its pixels.
SIZE TForm::ClientUnits() const
{
    if (clientUnits_.cx > 0) return clientUnits_;
    RECT client;
    GetClientRect(Handle(), &client);
    return SIZE{ToUnits(client.right, Dpi()), ToUnits(client.bottom, Dpi())};
}

int TForm::ClientWidth() const
{
    return ClientUnits().cx;
}

int TForm::ClientHeight() const
{
    return ClientUnits().cy;
}

namespace {

// Every control below `parent`, each before its own children, so that a panel is placed before what it holds.
void ScaleChildren(HWND parent)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TWindow* control = TWindow::FromHandle(child); control != nullptr) control->ScaleChanged();
        ScaleChildren(child);
    }
}

}  // namespace

// The form takes the place Windows proposes (the screen fills the monitor it moved to), then every control is
// placed and its fonts made again from the designed sizes, and the owner lays out what it measures.
void TForm::ChangeScale(int dpi, const RECT& proposed)
{
    SetDpi(dpi);
    if (style_ == fsScreen) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromRect(&proposed, MONITOR_DEFAULTTONEAREST), &monitor);
        SetDeviceBounds(monitor.rcMonitor);
    } else {
        SetDeviceBounds(proposed);
        if (clientUnits_.cx > 0) SetClientSize(clientUnits_.cx, clientUnits_.cy);
    }
    ScaleChildren(Handle());
    if (OnResize) OnResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SIZE:
            if (OnResize) OnResize();
            return 0;
        case WM_DPICHANGED:
            ChangeScale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case DM_GETDEFID:
            if (defaultButton_ != nullptr && defaultButton_->Visible() && IsWindowVisible(defaultButton_->Handle()))
                return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
            return 0;
        case WM_COMMAND:
            // Enter in a dialog sends the default button's ID with no handle; the button may sit deep in panels.
            if (lParam == 0 && HIWORD(wParam) == BN_CLICKED && defaultButton_ != nullptr &&
                LOWORD(wParam) == defaultButton_->Id()) {
                SendMessageA(defaultButton_->Handle(), BM_CLICK, 0, 0);
                return 0;
            }
            return TWindow::WindowProc(message, wParam, lParam);
        default:
            return TWindow::WindowProc(message, wParam, lParam);
    }
}
