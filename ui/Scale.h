#pragma once
// The one rule that turns designed sizes into a monitor's pixels. The design and the configuration give every
// size in units of a 96-DPI screen; a monitor at `dpi` has dpi / 96 pixels per unit. An edge is placed from
// its designed distance to the form, so a control inside nested panels lands where its own numbers say,
// whatever each panel's rounding.
#include <windows.h>

constexpr int kDesignDpi = 96;

// Pixels for `units` at `dpi`, rounded to the nearest (halves away from zero).
int ToDevice(int units, int dpi);
// Units for `pixels` at `dpi`, rounded up, so that what was measured in pixels still fits when placed again.
int ToUnits(int pixels, int dpi);

// A designed rectangle, relative to its parent whose own designed origin (relative to the form) is `origin`,
// in the parent's pixels.
RECT ToDevice(const RECT& designed, POINT origin, int dpi);
