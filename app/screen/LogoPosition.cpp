#include "app/screen/LogoPosition.h"

POINT LogoPosition(const std::string& name, const TLogoPlace& place)
{
    const LONG right = place.screen.cx - place.logo.cx - 5;
    const LONG bottom = place.screen.cy - place.logo.cy - 5;
    const LONG centreLeft = place.screen.cx / 2 - place.logo.cx / 2;
    const LONG centreTop = place.screen.cy / 2 - place.logo.cy / 2;
    const LONG underText = place.textInfo3Bottom + 10;
    if (name == "Upper Right") return {right, 5};
    if (name == "Bottom Right") return {right, bottom};
    if (name == "Upper Left (Under Text)") return {5, underText};
    if (name == "Bottom Left") return {5, bottom};
    if (name == "Upper Center") return {centreLeft, underText};
    if (name == "Lower Center") return {centreLeft, place.textInfo4Top - place.logo.cy - 5};
    if (name == "Center") return {centreLeft, centreTop};
    return place.current;
}
