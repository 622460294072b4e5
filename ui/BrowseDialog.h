#pragma once
// The shell's folder browser with an edit box. A typed directory that does not exist is created after the user
// agrees; the chosen directory is returned without a trailing "\" (a drive root keeps its "\").
#include <windows.h>

#include <optional>
#include <string>

std::optional<std::string> BrowseForDirectory(HWND owner, const std::string& title, const std::string& initial);

// A typed name made absolute: names without a drive or a leading "\" lie below the selected folder.
std::string ResolveTypedDirectory(const std::string& typed, const std::string& selected);
