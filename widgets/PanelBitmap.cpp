#include "widgets/PanelBitmap.h"

#include "widgets/WidgetError.h"

#include <string>
#include <utility>

namespace {

constexpr SIZE kDefaultSize{50, 50};

void DrawDefaultPicture(HBITMAP bitmap)
{
    TMemoryDC dc;
    TSelection selection(dc.Get(), bitmap);
    const RECT all{0, 0, kDefaultSize.cx, kDefaultSize.cy};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TSelection brush(dc.Get(), GetStockObject(WHITE_BRUSH));
    TSelection pen(dc.Get(), GetStockObject(BLACK_PEN));
    Rectangle(dc.Get(), 0, 0, 49, 49);
}

}  // namespace

HBITMAP CreateDib(SIZE size, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!dib)
        throw EWidgetError("Cannot create a bitmap of " + std::to_string(size.cx) + " x " + std::to_string(size.cy));
    if (bits) *bits = pixels;
    return dib;
}

TPanelBitmap::TPanelBitmap() : bitmap_(CreateDib(kDefaultSize)), size_(kDefaultSize)
{
    DrawDefaultPicture(bitmap_.Get());
}

void TPanelBitmap::Assign(HBITMAP source)
{
    BITMAP info{};
    if (!source || !GetObjectA(source, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        bitmap_ = TGdiObject<HBITMAP>();
        size_ = SIZE{0, 0};
        return;
    }
    const SIZE size{info.bmWidth, info.bmHeight};
    TGdiObject<HBITMAP> copy(CreateDib(size));
    TMemoryDC from;
    TMemoryDC to;
    TSelection read(from.Get(), source);
    if (!read.Selected()) throw EWidgetError("Cannot read the panel's picture: it is in use");
    TSelection write(to.Get(), copy.Get());
    BitBlt(to.Get(), 0, 0, size.cx, size.cy, from.Get(), 0, 0, SRCCOPY);
    bitmap_ = std::move(copy);
    size_ = size;
}
