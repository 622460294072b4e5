#include "app/RegistryRemoval.h"

#include <algorithm>
#include <vector>

#include "app/AsciiCase.h"
#include "app/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "ui/IniFile.h"
#include "ui/Registry.h"

namespace {

constexpr std::size_t kMinimumErasableDepth = 3;

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

bool IsSharedKey(const std::string& path)
{
    const std::vector<std::string> names = NonEmptyNames(AsciiUpperCase(path));
    return names.size() >= 2 && names[0] == "SOFTWARE" && (names[1] == "MICROSOFT" || names[1] == "CLASSES");
}

}  // namespace

std::optional<TRecordedKeyPath> ParseRecordedKeyPath(const std::string& keyPath)
{
    std::string rest = keyPath;
    const std::string first = AsciiUpperCase(rest.substr(0, rest.find('\\')));
    HKEY root = HKEY_CURRENT_USER;
    if (first.rfind("HKEY_", 0) == 0) {
        if (first.find("HKEY_LOCAL_MACHINE") != std::string::npos) root = HKEY_LOCAL_MACHINE;
        SplitFirst(rest, '\\');
    }
    const std::vector<std::string> names = NonEmptyNames(rest);
    if (names.empty()) return std::nullopt;
    return TRecordedKeyPath{root, Joined(names)};
}

bool EraseRecordedKey(const std::string& keyPath)
{
    const std::optional<TRecordedKeyPath> key = ParseRecordedKeyPath(keyPath);
    if (!key || NonEmptyNames(key->Path).size() < kMinimumErasableDepth || IsSharedKey(key->Path)) return false;
    return TRegistry(key->Root).DeleteKey(key->Path);
}

bool RemoveRecordedValue(const std::string& entry)
{
    std::string valueName = entry;
    const std::string keyPath = SplitFirst(valueName, '|');
    if (keyPath.size() == entry.size()) return false;  // no "|": no value is named
    const std::optional<TRecordedKeyPath> key = ParseRecordedKeyPath(keyPath);
    if (!key) return false;
    TRegistry registry(key->Root);
    return registry.OpenKey(key->Path, false) && registry.DeleteValue(valueName);
}

bool RemoveRecordedIniKey(const std::string& entry)
{
    if (std::count(entry.begin(), entry.end(), '|') < 2) return false;
    std::string rest = entry;
    const std::string file = SplitFirst(rest, '|');
    const std::string section = SplitFirst(rest, '|');
    const std::string& key = rest;
    if (!IsAbsolutePath(file) || !port::FileExists(file) || section.empty() || key.empty()) return false;
    TIniFile ini(file);
    if (!ini.ReadOptionalString(section, key)) return false;
    ini.DeleteKey(section, key);
    ini.UpdateFile();
    return true;
}
