#include "widgets/Background.h"

#include "widgets/ColorTable.h"
#include "widgets/Gradient.h"

namespace {

void PaintFlat(HDC dc, SIZE size, TColor color)
{
    const RECT all{0, 0, size.cx, size.cy};
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ResolvedColor(color)));
    FillRect(dc, &all, brush.Get());
}

// The picture fills the frame's inside but for its last column and row.
void PaintStretched(HDC dc, SIZE size, int inset, HDC picture, SIZE pictureSize)
{
    const int width = size.cx - 2 * inset - 1;
    const int height = size.cy - 2 * inset - 1;
    if (width <= 0 || height <= 0) return;
    // Halftone averages the picture's pixels under each of the panel's; it needs the brush origin set after it.
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, inset, inset, width, height, picture, 0, 0, pictureSize.cx, pictureSize.cy, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
}

// Whole copies from the inset corner on; the last column and row may reach into the frame, which is drawn later.
void PaintTiled(HDC dc, SIZE size, int inset, HDC picture, SIZE pictureSize)
{
    const int columns = (size.cx - 2 * inset) / pictureSize.cx + 1;
    const int rows = (size.cy - 2 * inset) / pictureSize.cy + 1;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            BitBlt(dc, inset + column * pictureSize.cx, inset + row * pictureSize.cy, pictureSize.cx, pictureSize.cy,
                   picture, 0, 0, SRCCOPY);
        }
    }
}

void PaintPicture(HDC dc, SIZE size, const TBackground& background, const TPanelBitmap& bitmap)
{
    TMemoryDC picture;
    TSelection selection(picture.Get(), bitmap.Handle());
    if (background.Effect == bdStretchImage) {
        PaintStretched(dc, size, background.Inset, picture.Get(), bitmap.Size());
    } else {
        PaintTiled(dc, size, background.Inset, picture.Get(), bitmap.Size());
    }
}

}  // namespace

void PaintBackground(HDC dc, SIZE size, const TBackground& background, const TPanelBitmap& bitmap)
{
    if (IsGradient(background.Effect)) {
        PaintGradient(dc, size, background.Effect, background.ColorStart, background.ColorEnd);
    } else if (background.Effect == bdFlat || bitmap.Empty()) {
        PaintFlat(dc, size, background.ColorStart);
    } else {
        PaintPicture(dc, size, background, bitmap);
    }
}
