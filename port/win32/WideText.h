#pragma once
// The seam between the program's text, UTF-8 in std::string everywhere, and the system's wide calls: the
// wide calls where the ANSI ones would lose a name (GDI text, which keeps the system's code page whatever
// the manifest says, and paths longer than the ANSI calls take).
#include <string>
#include <string_view>

namespace port {

// Bytes that are not UTF-8 become U+FFFD, as the system's conversion makes them.
std::wstring Widened(std::string_view utf8);
std::string Narrowed(std::wstring_view wide);

// A path for the wide file calls: as given while the plain calls take it, otherwise its full form after
// "\\?\" ("\\?\UNC\" for a share), which they take up to 32,767 characters.
std::wstring SystemPath(const std::string& path);

// The 8.3 form of an existing path, for a command line that a program longer than MAX_PATH could not start from;
// the long form of one, with its 8.3 names spelled out. Either gives the path itself when the system cannot.
std::string ShortPathOf(const std::string& path);
std::string LongPathOf(const std::string& path);

}  // namespace port
