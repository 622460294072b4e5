#pragma once
// Where the logo goes on the screen, by the name "Logo Pos" gives. Halves are truncated each on its own, so a
// centred logo sits at screen div 2 - logo div 2.
#include <windows.h>

#include <string>

struct TLogoPlace {
    SIZE screen;          // the background's width and height
    SIZE logo;            // the logo panel's width and height
    POINT current;        // where the logo is now: an unknown name leaves it there
    int textInfo3Bottom;  // the bottom of the third text line
    int textInfo4Top;     // the top of the bottom text line
};

POINT LogoPosition(const std::string& name, const TLogoPlace& place);
