#pragma once
// Copying a file, testing its attributes, and opening a file through the shell.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t BufferSize = 8192;

// Copies the contents of source (not its date or attributes). dest is a directory, into which the
// file goes under its own name, unless it is an existing file, which is replaced. A dest that does
// not exist counts as a directory. Raises EFOpenError for the source, EFCreateError for the copy.
void CopyFileTo(const std::string& source, const std::string& dest);

// Whether all the attribute bits are set; a path that does not exist has every bit set.
bool HasAttributes(const std::string& path, std::uint32_t bits);

// ShellExecuteA with the default verb; empty params or dir pass none. Texts of any length.
// Returns ShellExecuteA's result (above 32 on success).
HINSTANCE OpenWithShell(HWND owner, const std::string& file, const std::string& params, const std::string& dir,
                        int show);
