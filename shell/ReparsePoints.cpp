#include "shell/ReparsePoints.h"

#include <windows.h>

std::uint32_t SystemAttributesOf(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool IsReparsePoint(const std::string& path, const TAttributesOf& attributesOf)
{
    const std::uint32_t attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

namespace {

// The length of the root a path begins with: "C:" or "\\server\share" (which may itself be a link to where the
// share lies, as it is under Wine), else 0.
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.rfind("\\\\", 0) != 0) return 0;
    const std::size_t server = path.find('\\', 2);
    if (server == std::string::npos) return path.size();
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share;
}

}  // namespace

bool ReachesThroughLink(const std::string& path, const TAttributesOf& attributesOf)
{
    std::string rest = path;
    while (!rest.empty() && rest.back() == '\\') rest.pop_back();
    const std::size_t root = RootLength(rest);
    // From the path up to its root, each name as it stands.
    while (rest.size() > root) {
        if (IsReparsePoint(rest, attributesOf)) return true;
        const std::size_t cut = rest.find_last_of('\\');
        if (cut == std::string::npos || cut < root) break;
        rest.resize(cut);
    }
    return false;
}
