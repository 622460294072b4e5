#pragma once
// The panel's caption: one line, placed by the alignment, vertical alignment and rotation, drawn with its
// effect (shadow, raised, lowered, embossed) in the font selected into the device context.
#include "widgets/PanelTypes.h"

#include <windows.h>

#include <string>

struct TCaption {
    std::string Text;
    TColor ColorShadow = 0x808080;
    TTextEffect Effect = teShadow;
    TTextRotation Rotation = trNone;
    TAlignment Alignment = taCenter;
    TVertAlign VertAlign = vlCenter;
};

// `border` is the frame's width (border plus bevel width); the text keeps clear of it. The whole caption is
// drawn, however long.
void PaintCaption(HDC dc, SIZE size, const TCaption& caption, TColor fontColor, int border);
