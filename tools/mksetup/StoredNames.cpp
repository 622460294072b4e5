#include "tools/mksetup/StoredNames.h"

#include <vector>

namespace {

std::vector<std::string> PartsOf(const std::string& path)
{
    std::vector<std::string> parts(1);
    for (const char c : path) {
        if (c == '\\' || c == '/')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool IsAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || path.find(':') != std::string::npos;
}

}  // namespace

std::string StoredNameFor(const std::string& path)
{
    const std::vector<std::string> parts = PartsOf(path);
    std::string name;
    for (const std::string& part : parts) {
        if (part.empty() || part == "." || (IsAbsolute(path) && &part != &parts.back())) continue;
        if (part == "..") name.clear();  // never store a name that climbs
        else name += (name.empty() ? "" : "\\") + part;
    }
    return name;
}

bool ConfinedTo(const std::string& directory, const std::string& path)
{
    if (path.compare(0, directory.size(), directory) != 0) return false;
    const std::string rest = path.substr(directory.size());
    if (rest.empty() || IsAbsolute(rest)) return false;
    for (const std::string& part : PartsOf(rest))
        if (part == "..") return false;
    return true;
}
