#pragma once
// How the panel turns colour values into pixels: flat fills resolve system colours, gradients take the
// low three bytes as they are and step through a table of 100 entries.
#include "widgets/PanelTypes.h"

#include <windows.h>

#include <array>

using TColorTable = std::array<COLORREF, 100>;

// Entry 0 is `from`; each channel climbs by (to - from) / 100 per entry, so entry 99 stops one step short.
TColorTable MakeColorTable(TColor from, TColor to);

// The colour a brush or pen shows for this value: system colours looked up, literal ones as they are.
COLORREF ResolvedColor(TColor color);
