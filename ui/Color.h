#pragma once
// Colours as the configuration writes them: 0x00BBGGRR for a literal colour, 0x800000nn for system colour nn.
#include <windows.h>

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clBtnFace = 0x8000000F;

inline COLORREF ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == 0x80000000) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}
