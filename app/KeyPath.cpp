#include "app/KeyPath.h"

#include <vector>

#include "config/TextFields.h"
#include "ui/Registry.h"

namespace {

std::vector<std::string> KeyNames(std::string path)
{
    std::vector<std::string> names;
    while (!path.empty()) {
        std::string name = SplitFirst(path, '\\');
        if (!name.empty()) names.push_back(UpperCase(name));
    }
    return names;
}

}  // namespace

TKeyPath ParseKeyPath(const std::string& keyPath)
{
    std::string rest = keyPath;
    const std::string first = UpperCase(SplitFirst(rest, '\\'));
    if (!first.starts_with("HKEY_")) return {HKEY_CURRENT_USER, keyPath};
    const bool localMachine = first.find("HKEY_LOCAL_MACHINE") != std::string::npos;
    return {localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, rest};
}

bool NamesAKey(const TKeyPath& key)
{
    return !KeyNames(key.Path).empty();
}

bool IsSharedKey(const TKeyPath& key)
{
    const std::vector<std::string> names = KeyNames(key.Path);
    if (names.size() < 3) return true;
    return names[0] == "SOFTWARE" && (names[1] == "MICROSOFT" || names[1] == "CLASSES");
}

void EraseKeyPath(const std::string& keyPath)
{
    const TKeyPath key = ParseKeyPath(keyPath);
    if (IsSharedKey(key)) return;
    TRegistry(key.Root).DeleteKey(key.Path);
}
