#pragma once
// The panel's picture: a 32-bit copy the panel owns, so the caller's bitmap stays the caller's.
// A new one holds the designed 50 x 50 picture: white, with a black outline.
#include "widgets/GdiObject.h"

#include <windows.h>

class TPanelBitmap {
public:
    TPanelBitmap();

    // Copies `source`; a null handle or a bitmap without pixels leaves the picture empty.
    // Throws EWidgetError when the source cannot be read (it is selected into another device context).
    void Assign(HBITMAP source);

    bool Empty() const { return size_.cx <= 0 || size_.cy <= 0; }
    SIZE Size() const { return size_; }
    HBITMAP Handle() const { return bitmap_.Get(); }

private:
    TGdiObject<HBITMAP> bitmap_;
    SIZE size_{0, 0};
};

// A 32-bit top-down DIB section of the given size; its pixels, when wanted, through `bits`.
HBITMAP CreateDib(SIZE size, void** bits = nullptr);
