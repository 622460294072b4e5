#pragma once
// A 32-bit top-down DIB section selected into a memory device context, with its pixels read back
// as COLORREF values.
#include "widgets/GdiObject.h"
#include "widgets/PanelBitmap.h"

#include <windows.h>

#include <cstdint>

class TDib {
public:
    TDib(int width, int height)
        : size_{width, height}, bitmap_(CreateDib(size_, &bits_)), selection_(dc_.Get(), bitmap_.Get())
    {
    }

    HDC Dc() const { return dc_.Get(); }
    SIZE Size() const { return size_; }
    HBITMAP Handle() const { return bitmap_.Get(); }
    // The pixels, row after row from the top, once GDI has finished drawing into them.
    std::uint32_t* Bits() const
    {
        GdiFlush();
        return static_cast<std::uint32_t*>(bits_);
    }

    // CLR_INVALID outside the bitmap.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return CLR_INVALID;
        const std::uint32_t bgr = Bits()[y * size_.cx + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

    void Fill(COLORREF color) const
    {
        const RECT all{0, 0, size_.cx, size_.cy};
        TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
        FillRect(dc_.Get(), &all, brush.Get());
    }

private:
    SIZE size_;
    void* bits_ = nullptr;
    TMemoryDC dc_;
    TGdiObject<HBITMAP> bitmap_;
    TSelection selection_;
};
