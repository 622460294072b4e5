#include "widgets/ColorTable.h"

namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

int Channel(TColor color, int shift)
{
    return static_cast<int>((color >> shift) & 0xFF);
}

BYTE ChannelAt(int index, TColor from, TColor to, int shift)
{
    const double step = (Channel(to, shift) - Channel(from, shift)) / 100.0;
    return static_cast<BYTE>(static_cast<int>(index * step + Channel(from, shift)));
}

}  // namespace

TColorTable MakeColorTable(TColor from, TColor to)
{
    TColorTable table{};
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        table[static_cast<std::size_t>(i)] =
            RGB(ChannelAt(i, from, to, 0), ChannelAt(i, from, to, 8), ChannelAt(i, from, to, 16));
    }
    return table;
}

COLORREF ResolvedColor(TColor color)
{
    if ((color & 0xFF000000) == kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}
