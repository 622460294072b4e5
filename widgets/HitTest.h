#pragma once
// Where a point of a movable panel lies: a band of `marge` pixels along the edges and corners resizes it,
// everywhere else moves it (the answers of WM_NCHITTEST).
#include <windows.h>

LRESULT MoveableHitTest(POINT client, SIZE size, int marge);
