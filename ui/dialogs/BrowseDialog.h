#pragma once
// The shell's folder browser with an edit box and a button for a new folder. A typed directory that does not exist
// is created after the user agrees (refused, the browser stays open); the chosen directory is returned without a
// trailing "\" (a drive root keeps its "\"); nothing when cancelled.
#include <windows.h>

#include <optional>
#include <string>

std::optional<std::string> BrowseForDirectory(HWND owner, const std::string& title, const std::string& initial);

// A typed name made absolute: names without a drive or a leading "\" lie below the selected folder.
std::string ResolveTypedDirectory(const std::string& typed, const std::string& selected);
