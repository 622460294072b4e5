#include "widgets/Gradient.h"

#include "widgets/ColorTable.h"

namespace {

constexpr int kBands = 100;

// Effects whose table runs from the end colour back to the start colour.
bool RunsFromEnd(TDirection effect)
{
    return effect == bdDown || effect == bdRight || effect == bdHorzOut || effect == bdVertOut;
}

bool BandsAreRows(TDirection effect)
{
    return effect == bdUp || effect == bdDown || effect == bdHorzIn || effect == bdHorzOut;
}

bool IsMirrored(TDirection effect)
{
    return effect == bdHorzIn || effect == bdHorzOut || effect == bdVertIn || effect == bdVertOut;
}

// Mirrored bands climb from entry 1 at one edge to entry 99 in the middle and fall back to entry 0.
int EntryOfBand(int band, bool mirrored)
{
    if (!mirrored) return band;
    return band < kBands / 2 ? 2 * band + 1 : 198 - 2 * band;
}

RECT BandRect(int band, SIZE size, bool rows)
{
    if (rows) return RECT{0, MulDiv(band, size.cy, kBands), size.cx, MulDiv(band + 1, size.cy, kBands)};
    return RECT{MulDiv(band, size.cx, kBands), 0, MulDiv(band + 1, size.cx, kBands), size.cy};
}

}  // namespace

bool IsGradient(TDirection effect)
{
    return effect >= bdUp && effect <= bdVertOut;
}

void PaintGradient(HDC dc, SIZE size, TDirection effect, TColor colorStart, TColor colorEnd)
{
    const TColorTable table =
        RunsFromEnd(effect) ? MakeColorTable(colorEnd, colorStart) : MakeColorTable(colorStart, colorEnd);
    const bool rows = BandsAreRows(effect);
    const bool mirrored = IsMirrored(effect);
    const HGDIOBJ brush = GetStockObject(DC_BRUSH);
    for (int band = 0; band < kBands; ++band) {
        SetDCBrushColor(dc, table[static_cast<std::size_t>(EntryOfBand(band, mirrored))]);
        const RECT rect = BandRect(band, size, rows);
        FillRect(dc, &rect, static_cast<HBRUSH>(brush));
    }
}
