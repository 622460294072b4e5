#pragma once
// The eight gradient backgrounds: always 100 bands, whatever the size, with edges placed by MulDiv.
#include "widgets/PanelTypes.h"

#include <windows.h>

bool IsGradient(TDirection effect);

// Paints the gradient `effect` (bdUp ... bdVertOut) over (0, 0, size.cx, size.cy).
void PaintGradient(HDC dc, SIZE size, TDirection effect, TColor colorStart, TColor colorEnd);
