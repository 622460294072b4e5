#pragma once
// A plain top-level window to hold panels in tests, destroyed at the end of the test.
#include <windows.h>

class TTopWindow {
public:
    TTopWindow(int width, int height, bool visible)
    {
        // A popup has no border: its client area is the whole window, at the screen's top left.
        window_ = CreateWindowExA(0, ClassName(), "widgets", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        if (visible) ShowWindow(window_, SW_SHOWNOACTIVATE);
        Pump();
    }
    ~TTopWindow() { DestroyWindow(window_); }
    TTopWindow(const TTopWindow&) = delete;
    TTopWindow& operator=(const TTopWindow&) = delete;

    HWND Handle() const { return window_; }

    // Handles what is waiting, painting included.
    static void Pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    // Registered once; null when the system refuses, and then no window is made.
    static const char* ClassName()
    {
        static const ATOM atom = [] {
            WNDCLASSEXA windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = DefWindowProcA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = "WidgetsTestWindow";
            return RegisterClassExA(&windowClass);
        }();
        return atom ? "WidgetsTestWindow" : nullptr;
    }

    HWND window_ = nullptr;
};
