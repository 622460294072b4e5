#include "app/install/EntriesBefore.h"

#include "app/install/RegistryEntry.h"
#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "settings/IniFile.h"
#include "settings/Registry.h"
#include "shell/PathIdentity.h"

TEntriesBefore::TEntriesBefore(const TStringList& entries)
{
    for (const std::string& text : entries) {
        const TRegistryEntry entry = ParseRegistryEntry(text);
        if (!entry.IsIni()) {
            const TKeyPath key = ParseKeyPath(entry.KeyPath());
            if (NamesAKey(key) && TRegistry(key.Root).KeyExists(key.Path)) keys_.insert(KeyIdentity(key));
            continue;
        }
        const std::string path = entry.IniPath();
        if (!port::FileExists(path)) continue;
        iniFiles_.insert(PathIdentity(path));
        if (TIniFile(path).SectionExists(entry.Section)) iniSections_.insert(IniSectionIdentity(path, entry.Section));
    }
}

bool TEntriesBefore::KeyExisted(const TKeyPath& key) const
{
    return keys_.contains(KeyIdentity(key));
}

bool TEntriesBefore::IniFileExisted(const std::string& path) const
{
    return iniFiles_.contains(PathIdentity(path));
}

bool TEntriesBefore::IniSectionExisted(const std::string& path, const std::string& section) const
{
    return iniSections_.contains(IniSectionIdentity(path, section));
}
