#pragma once
// A picture's larger twin: the same picture at twice the pixels, shipped beside it under the same name with
// "@2x" before the extension ("logo.gif" and "logo@2x.gif"). mksetup carries it with the picture, the install
// copies it for the uninstaller, and setup.exe draws it above 96 DPI.
#include <string>

std::string LargerTwinName(const std::string& path);
