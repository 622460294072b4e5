#include "shell/ReparsePoints.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/win32/WideText.h"

std::uint32_t SystemAttributesOf(const std::string& path)
{
    return GetFileAttributesW(port::SystemPath(path).c_str());
}

bool IsReparsePoint(const std::string& path, const TAttributesOf& attributesOf)
{
    const std::uint32_t attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool ReachesThroughLink(const std::string& path, const TAttributesOf& attributesOf)
{
    std::string rest = path;
    while (!rest.empty() && rest.back() == '\\') rest.pop_back();
    // The root itself ("C:\", "\\server\share\", which may be a link to where the share lies, as it is under
    // Wine) is never looked at; from the path up to it, each name as it stands.
    const std::size_t root = PathRootLength(rest + "\\");
    while (rest.size() > root) {
        if (IsReparsePoint(rest, attributesOf)) return true;
        const std::size_t cut = rest.find_last_of('\\');
        if (cut == std::string::npos || cut < root) break;
        rest.resize(cut);
    }
    return false;
}
