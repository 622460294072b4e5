#include "shell/FontStyle.h"

#include <array>
#include <string_view>
#include <utility>

#include "shell/TextFields.h"

namespace {

constexpr std::array<std::pair<std::string_view, TFontStyle>, 4> kStyleNames{{
    {"fsBold", fsBold},
    {"fsItalic", fsItalic},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
}};

}  // namespace

TFontStyles ParseFontStyle(std::string text)
{
    TFontStyles styles;
    while (text.find(',') != std::string::npos) {
        const std::string name = SplitFirst(text, ',');
        for (const auto& [styleName, style] : kStyleNames)
            if (name == styleName) styles.Include(style);
    }
    return styles;
}
