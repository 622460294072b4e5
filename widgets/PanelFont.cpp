#include "widgets/PanelFont.h"

#include "widgets/WidgetError.h"

#include <algorithm>

HFONT CreatePanelFont(const TPanelFont& font)
{
    LOGFONTA record{};
    record.lfHeight = font.Height;
    record.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    record.lfItalic = font.Italic;
    record.lfUnderline = font.Underline;
    record.lfStrikeOut = font.StrikeOut;
    record.lfCharSet = DEFAULT_CHARSET;
    record.lfOutPrecision = OUT_DEFAULT_PRECIS;
    record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    record.lfQuality = DEFAULT_QUALITY;
    record.lfPitchAndFamily = DEFAULT_PITCH;
    // A face name longer than the record holds is cut, never written past it.
    const std::size_t length = std::min(font.Name.size(), sizeof(record.lfFaceName) - 1);
    std::copy_n(font.Name.begin(), length, record.lfFaceName);
    HFONT handle = CreateFontIndirectA(&record);
    if (!handle) throw EWidgetError("Cannot create the font " + font.Name);
    return handle;
}
