// The eleven display style names and what is not one of them.
#include "app/screen/DisplayStyle.h"
#include "widgets/PanelTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayStyle, EveryNameHasItsEffect)
{
    const std::pair<const char*, TDirection> styles[] = {
        {"Solid Color", bdFlat},         {"Horizontal In", bdHorzIn}, {"Horizontal Out", bdHorzOut},
        {"Vertical In", bdVertIn},       {"Vertical Out", bdVertOut}, {"Left", bdLeft},
        {"Right", bdRight},              {"Up", bdUp},                {"Down", bdDown},
        {"Stretch Bitmap Image", bdStretchImage}, {"Tile Bitmap Image", bdTileImage},
    };
    for (const auto& [name, effect] : styles) EXPECT_EQ(DisplayStyleEffect(name), effect) << name;
}

TEST(DisplayStyle, OnlyExactNamesCount)
{
    for (const char* name : {"horizontal in", "Horiz In", "", "Up ", "Tile Bitmap Image\t", "Solid Colour"})
        EXPECT_FALSE(DisplayStyleEffect(name).has_value()) << '"' << name << '"';
}

}  // namespace
