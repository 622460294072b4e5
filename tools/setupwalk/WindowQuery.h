#pragma once
// Reading another program's windows with messages that carry no pointer across processes (or that the
// system carries: WM_GETTEXT), and waiting for them with polling.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The window's text, whatever its length; empty when the window is gone or does not answer in time.
std::string WindowText(HWND window);
std::string WindowClassName(HWND window);
// The first descendant with this control ID, or nullptr.
HWND DescendantWithId(HWND window, int id);
// The window's own children (not their children), in Z order.
std::vector<HWND> DirectChildren(HWND window);
// A caption as the user reads it: without the "&" that marks the access key.
std::string WithoutAccessMark(const std::string& caption);
// Whether predicate holds, asked every 50 ms for at most timeoutMs.
bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs);
