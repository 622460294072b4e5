#pragma once
// What a window shows, read back pixel by pixel from the window's own surface, for comparing a window with
// another painted afresh. Areas that change by themselves (a text caret, an animated logo) can be masked out of
// the comparison.
#include "testsupport/HangCeiling.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TScreenPicture {
public:
    // The client area of window as it stands.
    static TScreenPicture Of(HWND window);
    // A picture saved by SavePng; nothing when the file cannot be read.
    static std::optional<TScreenPicture> FromPng(const std::string& path);

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;

    // Pixels in this area (client coordinates) are left out of comparisons.
    void Mask(const RECT& area) { masks_.push_back(area); }
    // The pixels that differ outside both pictures' masks (all of them when the sizes differ), and the box
    // around them.
    int Differences(const TScreenPicture& other, RECT* box = nullptr) const;

    bool SavePng(const std::string& path) const;

private:
    static TScreenPicture OfDc(HDC dc, int width, int height);
    bool Masked(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<RECT> masks_;
};

// Lets the window's thread process its messages until two pictures in a row agree outside the masks that `mask`
// adds to each, or until the deadline, and returns the last picture.
TScreenPicture SettledPicture(HWND window, const std::function<void(TScreenPicture&)>& mask = {},
                              DWORD deadlineMs = kHangCeilingMs);

// The text caret's rectangle in window's client coordinates, when this thread shows one in window or below it.
std::optional<RECT> CaretIn(HWND window);
