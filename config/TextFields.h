#pragma once
// The small text routines the configuration and the engines share: fields cut at a separator, the
// parts of a Windows path, and text lines. Directories end in "\" and paths are joined by concatenation.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Cuts the field before the first separator off text, which keeps what follows the separator.
// With no separator the field is all of text and text becomes empty.
std::string SplitFirst(std::string& text, char separator);

// The mirror image: cuts the field after the last separator; text keeps what precedes it.
// With no separator the field is all of text and text becomes empty.
std::string SplitLast(std::string& text, char separator);

// The text after the last "\" or ":" (all of path when it has neither).
std::string FileNamePart(const std::string& path);

// The text up to and including the last "\" or ":" (empty when it has neither).
std::string DirectoryPart(const std::string& path);

// The length of the root a path begins with, "X:\" or "\\server\share\" (device paths, "\\?\" and "\\.\",
// name no share), or 0 when it begins with none.
std::size_t PathRootLength(const std::string& path);

// path with a "\" appended unless it already ends in one (so an empty path becomes "\").
std::string WithTrailingBackslash(std::string path);

// text with the letters a to z in upper case, as the configuration's case-blind comparisons use it.
std::string UpperCase(std::string text);

// Whether text begins with prefix, letter case aside (prefix written in upper case).
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The parts one after the other, made in one allocation: out of line, so that the many log lines built
// of parts stay small in setup.exe (a chain of "+" leaves a temporary and its cleanup per step).
std::string Concat(std::initializer_list<std::string_view> parts);

// The last `count` hex digits of value, upper case, most significant first: "0A" for 10 and 2.
std::string HexDigits(std::uint64_t value, int count);

// The value of a hex digit of either case; -1 for any other character.
int HexDigitValue(char digit);

// The program a command line without quotes starts: up to and including the first ".exe" followed by a
// blank (letter case aside), after which its arguments come; all of it when there is none. A blank may stand
// inside the program's name.
std::string ProgramPart(const std::string& commandLine);

// The UTF-8 byte-order mark, which a text file may begin with.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// text without the UTF-8 byte-order mark it begins with, if any.
std::string WithoutUtf8Mark(std::string text);

// The lines of a text; a line ends at CR LF, LF or CR. A final line without an end is a line;
// a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);
