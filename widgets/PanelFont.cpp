#include "widgets/PanelFont.h"

#include "port/win32/WideText.h"
#include "widgets/WidgetError.h"

#include <algorithm>
#include <iterator>

HFONT CreatePanelFont(const TPanelFont& font)
{
    LOGFONTW record{};
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
    const std::wstring face = port::Widened(font.Name);
    const std::size_t length = std::min(face.size(), std::size(record.lfFaceName) - 1);
    std::copy_n(face.begin(), length, record.lfFaceName);
    HFONT handle = CreateFontIndirectW(&record);
    if (!handle) throw EWidgetError("Cannot create the font " + font.Name);
    return handle;
}
