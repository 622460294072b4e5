#include "app/record/LongNames.h"

#include <windows.h>

#include <algorithm>

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "shell/PathIdentity.h"

std::string TLongNames::LongForm(const std::string& path)
{
    const std::size_t root = PathRootLength(path);
    if (root == 0) return path;
    std::string found = path.substr(0, root);
    for (std::size_t at = root; at < path.size();) {
        const std::size_t end = std::min(path.find('\\', at), path.size());
        const std::string name = NameIn(found, path.substr(at, end - at));
        if (name.empty()) return found + path.substr(at);
        found += name;
        if (end < path.size()) found += '\\';
        at = end + 1;
    }
    return found;
}

std::string TLongNames::NameIn(const std::string& folder, const std::string& name)
{
    // A pattern would find some other file's name.
    if (name.empty() || IsWildcardName(name)) return "";
    const std::string key = PathIdentity(folder + name);
    const auto known =
        std::find_if(known_.begin(), known_.end(), [&](const auto& entry) { return entry.first == key; });
    if (known != known_.end()) return known->second;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(port::SystemPath(folder + name).c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, 0);
    std::string longName;
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        longName = port::Narrowed(data.cFileName);
    }
    known_.emplace_back(key, longName);
    return longName;
}
