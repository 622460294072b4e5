#pragma once
// The common controls (comctl32, in the version the manifest's side-by-side assembly names), loaded at their first
// use from the system folder rather than with the program: while comctl32 starts, Wine's user32 loads
// uxtheme.dll, and before WinMain's first statement it would look for it beside setup.exe.
#include <windows.h>

#include <commctrl.h>

struct TCommonControls {
    decltype(&::InitCommonControlsEx) InitCommonControlsEx;
    decltype(&::SetWindowSubclass) SetWindowSubclass;
    decltype(&::RemoveWindowSubclass) RemoveWindowSubclass;
    decltype(&::DefSubclassProc) DefSubclassProc;
};

// The functions; nullptr when comctl32 cannot be loaded or lacks one of them.
const TCommonControls* CommonControls();
