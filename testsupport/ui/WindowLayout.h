#pragma once
// The layout of a window as its user sees it, checked over every visible control below it: no two controls
// overlap unless one is a group box around the other, every control lies inside its parent, and every caption
// fits its control when measured with the control's own font.
#include <windows.h>

#include <string>
#include <vector>

// One line per fault, naming the controls by ID, caption and class; empty when the layout is sound.
std::vector<std::string> LayoutFaults(HWND window);
