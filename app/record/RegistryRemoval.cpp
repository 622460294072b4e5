#include "app/record/RegistryRemoval.h"

#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "port/FileSystem.h"
#include "settings/IniFile.h"
#include "settings/Registry.h"
#include "shell/ReparsePoints.h"

namespace {

// Through a link the profile functions would write to the file it leads to.
bool IsExistingIniFile(const std::string& file)
{
    return IsAbsolutePath(file) && port::FileExists(file) && !ReachesThroughLink(file);
}

}  // namespace

bool RemoveRecordedValue(const TRecordedValue& value)
{
    const TKeyPath key = ParseKeyPath(value.KeyPath);
    if (!NamesAKey(key)) return false;
    TRegistry registry(key.Root);
    return registry.OpenKey(key.Path, false) && registry.DeleteValue(value.Name);
}

bool RemoveRecordedIniKey(const TRecordedIniKey& iniKey)
{
    if (!IsExistingIniFile(iniKey.File) || iniKey.Section.empty() || iniKey.Key.empty()) return false;
    TIniFile ini(iniKey.File);
    if (!ini.ReadOptionalString(iniKey.Section, iniKey.Key)) return false;
    ini.DeleteKey(iniKey.Section, iniKey.Key);
    ini.UpdateFile();
    return true;
}

bool RemoveEmptyIniSection(const TRecordedIniSection& section)
{
    if (!IsExistingIniFile(section.File) || section.Section.empty()) return false;
    TIniFile ini(section.File);
    if (!ini.SectionExists(section.Section) || !ini.ReadSection(section.Section).empty()) return false;
    ini.EraseSection(section.Section);
    ini.UpdateFile();
    return true;
}

bool RemoveEmptyCreatedKey(const std::string& keyPath)
{
    const TKeyPath key = ParseKeyPath(keyPath);
    if (KeyDepth(key) < 2) return false;
    return TRegistry(key.Root).DeleteEmptyKey(key.Path);
}
