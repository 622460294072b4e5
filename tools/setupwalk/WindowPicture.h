#pragma once
// A picture of what the screen shows of a window, of any process, saved as PNG. It is read from the
// screen, not asked of the window: another process cannot be handed a device context to paint into.
#include <windows.h>

#include <string>

// False when the window is gone, the screen cannot be read or the file cannot be written.
bool SaveWindowPicture(HWND window, const std::string& pngPath);
