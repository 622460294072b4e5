#include "app/screen/ScreenSurface.h"

#include "widgets/PanelBitmap.h"
#include "widgets/PanelTypes.h"

#include <cstdint>

namespace {

constexpr int kTile = 32;  // the pattern repeats along both axes, so tiles meet without a seam

// Soft diagonal bands of dark blue.
TGdiObject<HBITMAP> DesignedPicture()
{
    void* bits = nullptr;
    TGdiObject<HBITMAP> picture(CreateDib(SIZE{kTile, kTile}, &bits));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const int phase = (x + y) % kTile;
            const int distance = phase < kTile / 2 ? phase : kTile - phase;  // 0 .. 16, a triangle wave
            const auto blue = static_cast<std::uint32_t>(0x68 + distance * 2);
            const auto green = static_cast<std::uint32_t>(0x14 + distance / 2);
            pixels[y * kTile + x] = (green << 8) | blue;  // 0x00RRGGBB in the DIB's memory order
        }
    }
    GdiFlush();
    return picture;
}

}  // namespace

void ShowDesignedBackground(TGradPanHost& screen)
{
    screen.SetBitmap(DesignedPicture().Get());
    screen.SetColorStart(clBlue);
    screen.SetColorEnd(clBlack);
    screen.SetBackGroundEffect(bdHorzIn);
}

void ShowSidePicture(TGradPanHost& side)
{
    side.SetColorStart(0xA05010);
    side.SetColorEnd(0x200000);
    side.SetBackGroundEffect(bdDown);
}
