#pragma once
// Lets the windows of a test process their messages for a while, or until something has happened.
#include "ui/Application.h"

#include <windows.h>

#include <functional>

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application::ProcessMessages();
        Sleep(5);
    }
    return true;
}

inline void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

// The colour of one pixel of what a window paints, printed into a bitmap of its own.
class TPrinted {
public:
    explicit TPrinted(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        width_ = client.right;
        height_ = client.bottom;
    }
    ~TPrinted()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TPrinted(const TPrinted&) = delete;
    TPrinted& operator=(const TPrinted&) = delete;

    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
    int CountOf(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) count += GetPixel(dc_, x, y) == colour ? 1 : 0;
        return count;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_ = 0;
    int height_ = 0;
};
