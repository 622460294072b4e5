#pragma once
// Saves a bitmap as a PNG file through GDI+: the screenshots of the tests and of the setup walk.
#include <windows.h>

#include <string>

// False when GDI+ cannot start, has no PNG encoder or cannot write the file.
bool SavePng(HBITMAP bitmap, const std::string& path);

// The picture of a PNG file, or nullptr when GDI+ cannot read it; the caller deletes it.
HBITMAP LoadPng(const std::string& path);
