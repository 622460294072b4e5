// The eleven display style names and what is not one of them.
#include "app/screen/DisplayStyle.h"
#include "widgets/PanelTypes.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

// What each effect paints is checked on the screen's pictures (screen_screenshots); here, that the eleven names
// each lead to an effect of their own.
TEST(DisplayStyle, EachNameHasAnEffectOfItsOwn)
{
    std::set<TDirection> effects;
    for (const char* name : {"Solid Color", "Horizontal In", "Horizontal Out", "Vertical In", "Vertical Out", "Left",
                             "Right", "Up", "Down", "Stretch Bitmap Image", "Tile Bitmap Image"}) {
        const std::optional<TDirection> effect = DisplayStyleEffect(name);
        ASSERT_TRUE(effect.has_value()) << name;
        effects.insert(*effect);
    }
    EXPECT_EQ(effects.size(), 11u);
    EXPECT_EQ(DisplayStyleEffect("Solid Color"), bdFlat) << "the one style without a gradient or a picture";
}

TEST(DisplayStyle, OnlyExactNamesCount)
{
    for (const char* name : {"horizontal in", "Horiz In", "", "Up ", "Tile Bitmap Image\t", "Solid Colour"})
        EXPECT_FALSE(DisplayStyleEffect(name).has_value()) << '"' << name << '"';
}

}  // namespace
