#include "config/TextFields.h"

namespace {

constexpr const char* kPathSeparators = "\\:";

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::size_t ShareRootLength(const std::string& path)
{
    if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return 0;
    const std::size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return 0;
    const std::string server = path.substr(2, serverEnd - 2);
    if (server == "?" || server == ".") return 0;
    const std::size_t shareEnd = path.find('\\', serverEnd + 1);
    if (shareEnd == std::string::npos || shareEnd == serverEnd + 1) return 0;
    return shareEnd + 1;
}

}  // namespace

std::string SplitFirst(std::string& text, char separator)
{
    const auto at = text.find(separator);
    std::string field;
    if (at == std::string::npos) {
        field.swap(text);
        return field;
    }
    field = text.substr(0, at);
    text.erase(0, at + 1);
    return field;
}

std::string SplitLast(std::string& text, char separator)
{
    const auto at = text.rfind(separator);
    std::string field;
    if (at == std::string::npos) {
        field.swap(text);
        return field;
    }
    field = text.substr(at + 1);
    text.erase(at);
    return field;
}

std::string FileNamePart(const std::string& path)
{
    const auto at = path.find_last_of(kPathSeparators);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string DirectoryPart(const std::string& path)
{
    const auto at = path.find_last_of(kPathSeparators);
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::size_t PathRootLength(const std::string& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return 3;
    return ShareRootLength(path);
}

std::string WithTrailingBackslash(std::string path)
{
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t index = 0; index < prefix.size(); ++index) {
        const char c = text[index];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != prefix[index]) return false;
    }
    return true;
}

std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text += part;
    return text;
}

std::string ProgramPart(const std::string& commandLine)
{
    const std::size_t end = UpperCase(commandLine).find(".EXE ");
    return end == std::string::npos ? commandLine : commandLine.substr(0, end + 4);
}

std::string HexDigits(std::uint64_t value, int count)
{
    std::string digits(static_cast<std::size_t>(count), '0');
    for (auto at = digits.rbegin(); at != digits.rend(); ++at, value >>= 4) *at = "0123456789ABCDEF"[value & 0xF];
    return digits;
}

int HexDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}

std::string WithoutUtf8Mark(std::string text)
{
    if (text.starts_with(kUtf8Mark)) text.erase(0, kUtf8Mark.size());
    return text;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}
