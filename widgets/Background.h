#pragma once
// The panel's surface under its caption and frame: a flat colour, a gradient, or its picture stretched or
// tiled inside the frame.
#include "widgets/PanelBitmap.h"
#include "widgets/PanelTypes.h"

#include <windows.h>

struct TBackground {
    TDirection Effect = bdVertIn;
    TColor ColorStart = 0x808000;
    TColor ColorEnd = 0xFFFFFF;
    // Pixels the picture keeps clear of each edge (the frame's width when the panel has its 3D border).
    int Inset = 0;
};

void PaintBackground(HDC dc, SIZE size, const TBackground& background, const TPanelBitmap& bitmap);
