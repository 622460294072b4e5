#pragma once
// Lets the windows of a test process their messages until something has happened, at most until the hang ceiling.
#include "testsupport/HangCeiling.h"
#include "ui/Application.h"
#include "ui/Timer.h"

#include <windows.h>

#include <functional>

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kHangCeilingMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application::ProcessMessages();
        Sleep(5);
    }
    return true;
}

// Processes messages until a timer of this interval has fired: a timer due earlier, were it running, would have
// fired first, however busy the machine.
inline bool PumpPast(unsigned milliseconds)
{
    bool fired = false;
    TTimer marker;
    marker.SetInterval(milliseconds);
    marker.OnTimer = [&] {
        fired = true;
        marker.SetEnabled(false);
    };
    marker.SetEnabled(true);
    return PumpUntil([&fired] { return fired; });
}

// Processes every message posted so far: the system makes a timer's message only when the queue holds no other.
inline bool PumpPosted()
{
    return PumpPast(1);
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
