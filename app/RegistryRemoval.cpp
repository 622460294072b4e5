#include "app/RegistryRemoval.h"

#include <algorithm>
#include <vector>

#include "app/FileKeyRules.h"
#include "app/KeyPath.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "ui/IniFile.h"
#include "ui/Registry.h"

bool RemoveRecordedValue(const std::string& entry)
{
    std::string valueName = entry;
    const std::string keyPath = SplitFirst(valueName, '|');
    if (keyPath.size() == entry.size()) return false;  // no "|": no value is named
    const TKeyPath key = ParseKeyPath(keyPath);
    if (!NamesAKey(key)) return false;
    TRegistry registry(key.Root);
    return registry.OpenKey(key.Path, false) && registry.DeleteValue(valueName);
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
