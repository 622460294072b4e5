#include "ui/Scale.h"

#include <cstdint>

int ToDevice(int units, int dpi)
{
    const std::int64_t product = std::int64_t{units} * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

int ToUnits(int pixels, int dpi)
{
    if (dpi <= 0) return pixels;
    const std::int64_t product = std::int64_t{pixels} * kDesignDpi;
    return static_cast<int>(product >= 0 ? (product + dpi - 1) / dpi : -(-product / dpi));
}

RECT ToDevice(const RECT& designed, POINT origin, int dpi)
{
    const int left = ToDevice(origin.x, dpi);
    const int top = ToDevice(origin.y, dpi);
    return RECT{ToDevice(origin.x + designed.left, dpi) - left, ToDevice(origin.y + designed.top, dpi) - top,
                ToDevice(origin.x + designed.right, dpi) - left, ToDevice(origin.y + designed.bottom, dpi) - top};
}
