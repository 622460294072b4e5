#include "testsupport/ui/ScreenPicture.h"

#include "testsupport/widgets/Dib.h"
#include "testsupport/win32/PngFile.h"
#include "ui/Application.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kPaintWaitMs = 50;

}  // namespace

TScreenPicture TScreenPicture::OfDc(HDC dc, int width, int height)
{
    TScreenPicture picture;
    picture.width_ = width;
    picture.height_ = height;
    picture.pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (picture.pixels_.empty()) return picture;
    const TDib copy(width, height);
    BitBlt(copy.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    std::memcpy(picture.pixels_.data(), copy.Bits(), picture.pixels_.size() * sizeof(std::uint32_t));
    return picture;
}

TScreenPicture TScreenPicture::Of(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC windowDc = GetDC(window);
    TScreenPicture picture = OfDc(windowDc, client.right, client.bottom);
    ReleaseDC(window, windowDc);
    return picture;
}

std::optional<TScreenPicture> TScreenPicture::FromPng(const std::string& path)
{
    HBITMAP bitmap = LoadPng(path);
    if (bitmap == nullptr) return std::nullopt;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    TScreenPicture picture = OfDc(dc, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return picture;
}

COLORREF TScreenPicture::Pixel(int x, int y) const
{
    const std::uint32_t bgr =
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

bool TScreenPicture::Masked(int x, int y) const
{
    const POINT at{x, y};
    return std::any_of(masks_.begin(), masks_.end(), [&](const RECT& area) { return PtInRect(&area, at) != FALSE; });
}

int TScreenPicture::Differences(const TScreenPicture& other, RECT* box) const
{
    if (box != nullptr) SetRectEmpty(box);
    if (width_ != other.width_ || height_ != other.height_) return std::max(width_ * height_, 1);
    int differ = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) == other.Pixel(x, y) || Masked(x, y) || other.Masked(x, y)) continue;
            ++differ;
            if (box == nullptr) continue;
            const RECT pixel{x, y, x + 1, y + 1};
            UnionRect(box, box, &pixel);
        }
    }
    return differ;
}

bool TScreenPicture::SavePng(const std::string& path) const
{
    if (pixels_.empty()) return false;
    const TDib copy(width_, height_);
    std::memcpy(copy.Bits(), pixels_.data(), pixels_.size() * sizeof(std::uint32_t));
    return ::SavePng(copy.Handle(), path);
}

TScreenPicture SettledPicture(HWND window, const std::function<void(TScreenPicture&)>& mask, DWORD deadlineMs)
{
    const auto take = [&] {
        Application::ProcessMessages();
        TScreenPicture picture = TScreenPicture::Of(window);
        if (mask) mask(picture);
        return picture;
    };
    TScreenPicture last = take();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < deadlineMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPaintWaitMs, QS_ALLINPUT);
        TScreenPicture next = take();
        if (next.Differences(last) == 0) return next;
        last = std::move(next);
    }
    return last;
}

std::optional<RECT> CaretIn(HWND window)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) == FALSE || thread.hwndCaret == nullptr) return std::nullopt;
    if (thread.hwndCaret != window && IsChild(window, thread.hwndCaret) == FALSE) return std::nullopt;
    RECT caret = thread.rcCaret;
    MapWindowPoints(thread.hwndCaret, window, reinterpret_cast<POINT*>(&caret), 2);
    InflateRect(&caret, 1, 1);
    return caret;
}
