#include "ui/pictures/PictureScale.h"

#include "config/PictureTwin.h"
#include "ui/Scale.h"

TPictureFile PictureFileFor(const std::string& path, int dpi)
{
    if (dpi <= kDesignDpi) return TPictureFile{path, 1};
    const std::string larger = LargerTwinName(path);
    const DWORD attributes = GetFileAttributesA(larger.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return TPictureFile{path, 1};
    return TPictureFile{larger, 2};
}

SIZE TPictureOrigin::DesignedSize(SIZE pixels) const
{
    const int density = Drawn.Density;
    return SIZE{(pixels.cx + density - 1) / density, (pixels.cy + density - 1) / density};
}

bool TPictureOrigin::CallsForOtherFile(int dpi) const
{
    return !Configured.empty() && PictureFileFor(Configured, dpi).Path != Drawn.Path;
}

void DrawSmoothed(HDC dc, const RECT& target, HDC source, SIZE size)
{
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == size.cx && height == size.cy) {
        BitBlt(dc, target.left, target.top, width, height, source, 0, 0, SRCCOPY);
        return;
    }
    // Halftone averages the source pixels under each target pixel; it needs the brush origin set after it.
    const int previous = SetStretchBltMode(dc, HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, target.left, target.top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, previous);
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

HBITMAP ScaledBitmap(HBITMAP bitmap, SIZE size)
{
    const SIZE from = BitmapSize(bitmap);
    if (from.cx <= 0 || from.cy <= 0 || size.cx <= 0 || size.cy <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (scaled != nullptr && target != nullptr && source != nullptr) {
        HGDIOBJ oldTarget = SelectObject(target, scaled);
        HGDIOBJ oldSource = SelectObject(source, bitmap);
        DrawSmoothed(target, RECT{0, 0, size.cx, size.cy}, source, from);
        SelectObject(source, oldSource);
        SelectObject(target, oldTarget);
    }
    if (source != nullptr) DeleteDC(source);
    if (target != nullptr) DeleteDC(target);
    return scaled;
}
