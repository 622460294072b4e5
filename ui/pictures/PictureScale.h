#pragma once
// Pictures at a monitor's scale. A product may ship a picture's larger twin beside it (config/PictureTwin.h):
// above 96 DPI it is drawn instead, at the configured picture's designed size, so that it is sharp where the
// smaller one would be enlarged. Either is drawn at its designed size times the scale, smoothed.
#include <windows.h>

#include <string>

// A picture's file and how many of its pixels make one designed unit.
struct TPictureFile {
    std::string Path;
    int Density = 1;
};

// The file to draw `path` from at `dpi`: its "@2x" twin above 96 DPI when that file exists, else `path`.
TPictureFile PictureFileFor(const std::string& path, int dpi);

// Where a picture came from: the configured file (empty for one not read from a file) and the file drawn.
struct TPictureOrigin {
    std::string Configured;
    TPictureFile Drawn;

    // The picture's designed size for the drawn file's `pixels`: its pixels over its density, rounded up.
    SIZE DesignedSize(SIZE pixels) const;
    // Whether at `dpi` the other file of the pair is the one to draw.
    bool CallsForOtherFile(int dpi) const;
};

// Draws all of `source` (`size` pixels) into `target`, smoothed when the sizes differ.
void DrawSmoothed(HDC dc, const RECT& target, HDC source, SIZE size);

// A smoothed copy of `bitmap` at `size` pixels, or nullptr when it cannot be made; the caller deletes it.
HBITMAP ScaledBitmap(HBITMAP bitmap, SIZE size);

// The pixel size of a bitmap, {0, 0} for none.
SIZE BitmapSize(HBITMAP bitmap);
