#pragma once
// The panel's frame, drawn over everything else: the outer bevel, the inner bevel inside the border, and,
// with the 3D border, the border itself in the panel's colour.
#include "widgets/PanelTypes.h"

#include <windows.h>

struct TFrame {
    TBevelCut BevelOuter = bvRaised;
    TBevelCut BevelInner = bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    bool Ctl3D = false;
    // The panel's colour, which the 3D border is drawn in.
    TColor Color = 0x8000000F;
};

void PaintFrame(HDC dc, SIZE size, const TFrame& frame);
