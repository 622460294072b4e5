#include "app/install/EarlierInstallation.h"

#include "app/record/FileKeyRules.h"
#include "app/record/ProtectedPlaces.h"
#include "app/record/UninstallEntries.h"
#include "app/record/UninstallRecordReader.h"
#include "config/TextFields.h"
#include "shell/Elevation.h"
#include "shell/PathIdentity.h"

namespace {

constexpr const char* kAllFiles = "*.*";

// An entry below HKEY_CURRENT_USER is the user's to write: it may lead a run with no more than the user's rights,
// never an elevated one to a record of the user's making.
bool Trusted(const TUninstallEntry& entry, bool elevated)
{
    return entry.Root == HKEY_LOCAL_MACHINE || !elevated;
}

// installDir when a trusted entry of entryKey names it, else the first folder a trusted entry of it names.
std::string EntryFolder(const std::string& installDir, const std::string& entryKey)
{
    const bool elevated = RunsElevated();
    if (const std::optional<TUninstallEntry> entry = EntryNamingFolder(entryKey, installDir);
        entry && Trusted(*entry, elevated))
        return installDir;
    for (const TUninstallEntry& entry : FindUninstallEntries(entryKey))
        if (Trusted(entry, elevated) && !entry.Dir.empty()) return entry.Dir;
    return "";
}

}  // namespace

TEarlierInstallation::TEarlierInstallation(const std::string& installDir, const std::string& entryKey)
{
    if (entryKey.empty()) return;
    const std::string dir = EntryFolder(installDir, entryKey);
    TUninstallRecordContents record = ReadUninstallRecord(dir);
    if (dir.empty() || record.EntryKey != entryKey) return;
    dir_ = dir;
    for (const std::string& key : record.RegistryKeys) {
        keys_.insert(KeyIdentity(ParseKeyPath(key)));
        createdKeys_.insert(KeyIdentity(ParseKeyPath(key)));
    }
    for (const std::string& key : record.CreatedKeys) createdKeys_.insert(KeyIdentity(ParseKeyPath(key)));
    const TProtectedPlaces places = TProtectedPlaces::OfThisMachine();
    for (const std::string& file : record.Files) {
        if (!places.RefusalOfFileKey(file).empty()) continue;
        if (FileNamePart(file) == kAllFiles)
            directories_.insert(PathIdentity(DirectoryPart(file)));
        else
            files_.insert(PathIdentity(file));
    }
    for (const std::string& folder : record.Folders)
        if (places.RefusalOfFolder(folder).empty()) folders_.insert(PathIdentity(folder));
    for (const TRecordedIniSection& section : record.IniSections)
        iniSections_.insert(IniSectionIdentity(section.File, section.Section));
    record_ = std::move(record);
}

bool TEarlierInstallation::OwnsKey(const TKeyPath& key) const
{
    return keys_.contains(KeyIdentity(key));
}

bool TEarlierInstallation::CreatedKey(const TKeyPath& key) const
{
    return createdKeys_.contains(KeyIdentity(key));
}

bool TEarlierInstallation::OwnsFile(const std::string& path) const
{
    return files_.contains(PathIdentity(path));
}

bool TEarlierInstallation::OwnsDirectory(const std::string& dir) const
{
    return directories_.contains(PathIdentity(dir));
}

bool TEarlierInstallation::OwnsFolder(const std::string& dir) const
{
    return folders_.contains(PathIdentity(dir));
}

bool TEarlierInstallation::AddedIniSection(const std::string& file, const std::string& section) const
{
    return iniSections_.contains(IniSectionIdentity(file, section));
}
