#pragma once
// What a window paints, printed into a bitmap of its own with WM_PRINTCLIENT: seen even where another window
// covers it.
#include <windows.h>

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
