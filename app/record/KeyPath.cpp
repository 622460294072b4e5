#include "app/record/KeyPath.h"

#include <vector>

#include "config/RegistryEntryTarget.h"
#include "config/TextFields.h"
#include "settings/Registry.h"

namespace {

std::vector<std::string> NonEmptyNames(std::string path)
{
    std::vector<std::string> names;
    while (!path.empty()) {
        std::string name = SplitFirst(path, '\\');
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string path;
    for (const std::string& name : names) path += (path.empty() ? "" : "\\") + name;
    return path;
}

}  // namespace

TKeyPath ParseKeyPath(const std::string& keyPath)
{
    std::string rest = keyPath;
    const std::string first = UpperCase(SplitFirst(rest, '\\'));
    if (!first.starts_with("HKEY_")) return {HKEY_CURRENT_USER, Joined(NonEmptyNames(keyPath))};
    return {IsLocalMachineKeyPath(keyPath) ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, Joined(NonEmptyNames(rest))};
}

std::string KeyPathText(const TKeyPath& key)
{
    return (key.Root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + key.Path;
}

bool NamesAKey(const TKeyPath& key)
{
    return !key.Path.empty();
}

std::size_t KeyDepth(const TKeyPath& key)
{
    return NonEmptyNames(key.Path).size();
}

std::string KeyIdentity(const TKeyPath& key)
{
    return (key.Root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") + UpperCase(key.Path);
}

std::vector<TKeyPath> KeyAndParents(const TKeyPath& key)
{
    std::vector<TKeyPath> keys;
    std::string path = key.Path;
    while (!path.empty()) {
        keys.push_back({key.Root, path});
        const std::size_t last = path.rfind('\\');
        path.resize(last == std::string::npos ? 0 : last);
    }
    return keys;
}

bool IsSharedKey(const TKeyPath& key)
{
    std::vector<std::string> names = NonEmptyNames(UpperCase(key.Path));
    // The 32-bit view of Software on a 64-bit system: Software\Wow6432Node\Vendor is as shared as
    // Software\Vendor, and its Microsoft and Classes are Windows' own.
    if (names.size() >= 2 && names[0] == "SOFTWARE" && names[1] == "WOW6432NODE")
        names.erase(names.begin() + 1);
    if (names.size() < 3) return true;
    // Windows' own hives: HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services has three names, and is not one
    // product's.
    if (key.Root == HKEY_LOCAL_MACHINE && (names[0] == "SYSTEM" || names[0] == "SAM" || names[0] == "SECURITY"))
        return true;
    return names[0] == "SOFTWARE" && (names[1] == "MICROSOFT" || names[1] == "CLASSES" || names[1] == "POLICIES");
}

bool EraseKeyPath(const std::string& keyPath)
{
    const TKeyPath key = ParseKeyPath(keyPath);
    if (!NamesAKey(key) || IsSharedKey(key)) return false;
    return TRegistry(key.Root).DeleteKey(key.Path);
}
