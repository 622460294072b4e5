#include "shell/PathIdentity.h"

#include <windows.h>

#include "port/win32/WideText.h"

std::string PathIdentity(std::string path)
{
    while (!path.empty() && path.back() == '\\') path.pop_back();
    std::wstring wide = port::Widened(path);
    if (wide.empty()) return path;
    // The invariant upper case, one UTF-16 unit for another: the ordinal comparison the file system makes.
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()), wide.data(),
                  static_cast<int>(wide.size()), nullptr, nullptr, 0);
    return port::Narrowed(wide);
}
