#pragma once
// The version a file's version resource gives it. The file may be anything, so it is read as bytes, never loaded:
// its headers lead to the resource, and every place they name is checked against the file before it is read.
#include <cstdint>
#include <optional>
#include <string>

// The file version of path (dwFileVersionMS in the high half, dwFileVersionLS in the low), so that two versions
// compare as numbers; none when path is no 32- or 64-bit module, has no version resource, or one whose fixed part
// is not whole.
std::optional<std::uint64_t> FileVersionOf(const std::string& path);
