// The seven logo places and the halving rule.
#include "app/screen/LogoPosition.h"

#include <gtest/gtest.h>

namespace {

TLogoPlace Place(LONG screenWidth, LONG screenHeight, LONG logoWidth, LONG logoHeight)
{
    return {{screenWidth, screenHeight}, {logoWidth, logoHeight}, {33, 44}, 100, 700};
}

bool Same(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

TEST(LogoPosition, EveryNamedPlace)
{
    const TLogoPlace place = Place(1024, 768, 108, 58);
    EXPECT_TRUE(Same(LogoPosition("Upper Right", place), {911, 5}));
    EXPECT_TRUE(Same(LogoPosition("Bottom Right", place), {911, 705}));
    EXPECT_TRUE(Same(LogoPosition("Upper Left (Under Text)", place), {5, 110}));
    EXPECT_TRUE(Same(LogoPosition("Bottom Left", place), {5, 705}));
    EXPECT_TRUE(Same(LogoPosition("Upper Center", place), {458, 110}));
    EXPECT_TRUE(Same(LogoPosition("Lower Center", place), {458, 637}));
    EXPECT_TRUE(Same(LogoPosition("Center", place), {458, 355}));
}

TEST(LogoPosition, HalvesAreTruncatedEachOnItsOwn)
{
    EXPECT_TRUE(Same(LogoPosition("Center", Place(1023, 767, 101, 51)), {461, 358}));
}

TEST(LogoPosition, UnknownNamesLeaveTheLogoWhereItIs)
{
    const TLogoPlace place = Place(1024, 768, 108, 58);
    EXPECT_TRUE(Same(LogoPosition("upper right", place), {33, 44})) << "names are compared exactly";
    EXPECT_TRUE(Same(LogoPosition("", place), {33, 44}));
    EXPECT_TRUE(Same(LogoPosition("Middle", place), {33, 44}));
}

}  // namespace
