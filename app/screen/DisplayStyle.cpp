#include "app/screen/DisplayStyle.h"

#include "widgets/PanelTypes.h"

#include <array>
#include <utility>

std::optional<TDirection> DisplayStyleEffect(const std::string& name)
{
    static constexpr std::array<std::pair<const char*, TDirection>, 11> kStyles{{
        {"Solid Color", bdFlat},
        {"Horizontal In", bdHorzIn},
        {"Horizontal Out", bdHorzOut},
        {"Vertical In", bdVertIn},
        {"Vertical Out", bdVertOut},
        {"Left", bdLeft},
        {"Right", bdRight},
        {"Up", bdUp},
        {"Down", bdDown},
        {"Stretch Bitmap Image", bdStretchImage},
        {"Tile Bitmap Image", bdTileImage},
    }};
    for (const auto& [styleName, effect] : kStyles)
        if (name == styleName) return effect;
    return std::nullopt;
}
