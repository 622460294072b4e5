#pragma once
// The base of every control and form: one window handle, its place, text and visibility.
// Places and sizes are designed units (ui/Scale.h): the window keeps its designed bounds and is placed in its
// monitor's pixels from them, again whenever its form's scale changes.
// Standard controls keep their own window class; our own (forms, panels, labels, pictures) share one class
// whose messages reach the object's WindowProc. Either kind finds its object through GWLP_USERDATA, so a
// parent can hand a control its own notifications.
#include "ui/Color.h"

#include <windows.h>

#include <string>

class TWindow {
public:
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return handle_; }
    int Id() const { return GetDlgCtrlID(handle_); }

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

    bool Visible() const { return (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(handle_, enabled ? TRUE : FALSE); }

    virtual std::string Text() const;
    virtual void SetText(const std::string& text);

    // A tooltip that shows while the mouse rests on the control.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    void Repaint();

    // The background of the toolkit's own windows.
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Fills a rectangle of this window's client area (in its own coordinates) with what lies behind its
    // children; transparent children paint their parent's background through this.
    virtual void PaintBackground(HDC dc, const RECT& area);

    // The pixels per inch of the monitor the window's form is on, as Windows last told the form.
    int Dpi() const;
    // Designed units in this window's pixels: for sizes a control draws itself (frames, margins, shadows).
    int Scaled(int units) const;
    // Places the window and sets its fonts again for its form's new scale.
    virtual void ScaleChanged();

    // The object behind a window handle, or nullptr for a window this toolkit did not make.
    static TWindow* FromHandle(HWND window);

protected:
    TWindow() = default;
    // A standard control (BUTTON, EDIT, ...) as a child of parent.
    void CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent, int id);
    // A window of the toolkit's own class; its messages go to WindowProc.
    void CreateCustom(DWORD style, DWORD exStyle, HWND parent, int id, const char* text = "");

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Where the designed bounds put the window, in its parent's pixels. An edge designed on the parent's far
    // edge stays on it, so that a control filling its parent fills it at every scale.
    virtual RECT DeviceBounds() const;
    void ApplyBounds();
    // For a top-level window placed in the screen's pixels: its designed bounds follow from them.
    void SetDeviceBounds(const RECT& device);
    void SetDpi(int dpi) { dpi_ = dpi; }
    // The designed size of the room the window's children have.
    virtual SIZE ClientUnits() const { return SIZE{Width(), Height()}; }
    // Paints the client area of the toolkit's own windows; the default is the background alone.
    virtual void Paint(HDC dc);
    // Paints the parent's background under this window (or under an area of it, in its own coordinates), for
    // controls that let it show through.
    void PaintParentBackground(HDC dc);
    void PaintParentBackground(HDC dc, const RECT& area);
    // A notification from this control, passed on by its parent.
    virtual void Command(WORD /*code*/) {}
    virtual LRESULT Notify(const NMHDR& /*header*/) { return 0; }

private:
    static LRESULT CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RouteToChild(UINT message, WPARAM wParam, LPARAM lParam);

    POINT DesignOrigin() const;

    HWND handle_ = nullptr;
    RECT bounds_{};
    int dpi_ = 0;
    bool standard_ = false;
    HWND tooltip_ = nullptr;
    std::string hint_;
    TColor color_ = clBtnFace;
};
