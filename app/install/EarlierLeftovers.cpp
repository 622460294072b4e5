#include "app/install/EarlierLeftovers.h"

#include <windows.h>

#include <algorithm>
#include <set>

#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "app/record/ProtectedPlaces.h"
#include "app/record/RegistryRemoval.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/PathIdentity.h"
#include "shell/ReparsePoints.h"
#include "shell/ShellFolders.h"

namespace {

bool IsPattern(const std::string& key)
{
    return IsWildcardName(FileNamePart(key));
}

std::string ValueIdentity(const TRecordedValue& value)
{
    return KeyIdentity(ParseKeyPath(value.KeyPath)) + "|" + UpperCase(value.Name);
}

std::string IniKeyIdentity(const TRecordedIniKey& key)
{
    return IniSectionIdentity(key.File, key.Section) + "|" + UpperCase(key.Key);
}

class TLeftovers {
public:
    TLeftovers(const TUninstallRecordContents& now, TInstallJournal& journal, TInstallProgress& progress)
        : journal_(journal),
          progress_(progress),
          systemDirs_(SystemDirsOf(WindowsDir())),
          places_(TProtectedPlaces::OfThisMachine())
    {
        for (const std::vector<std::string>* list : {&now.Files, &now.PlacedFiles})
            for (const std::string& file : *list)
                if (!IsPattern(file)) files_.insert(PathIdentity(file));
        for (const std::string& file : now.Files)
            if (IsPattern(file)) dirs_.insert(PathIdentity(DirectoryPart(file)));
        for (const std::string& folder : now.Folders) dirs_.insert(PathIdentity(WithTrailingBackslash(folder)));
        for (const std::string& key : now.RegistryKeys) keys_.insert(KeyIdentity(ParseKeyPath(key)));
        for (const std::string& key : now.CreatedKeys) keys_.insert(KeyIdentity(ParseKeyPath(key)));
        for (const TRecordedValue& value : now.RegistryValues) values_.insert(ValueIdentity(value));
        for (const TRecordedIniKey& key : now.IniKeys) iniKeys_.insert(IniKeyIdentity(key));
    }

    void Remove(const TUninstallRecordContents& earlier)
    {
        for (const std::vector<std::string>* list : {&earlier.Files, &earlier.PlacedFiles})
            for (const std::string& key : *list) RemoveFileKey(key);
        std::vector<std::string> dirs;
        for (const std::string& key : earlier.Files)
            if (IsPattern(key)) dirs.push_back(DirectoryPart(key));
        for (const std::string& folder : earlier.Folders) dirs.push_back(WithTrailingBackslash(folder));
        RemoveEmptyDirectories(dirs);
        for (const std::string& key : earlier.RegistryKeys) RemoveKey(key, false);
        for (const TRecordedValue& value : earlier.RegistryValues) RemoveValue(value);
        for (const TRecordedIniKey& key : earlier.IniKeys) RemoveIniKey(key);
        for (const TRecordedIniSection& section : earlier.IniSections) RemoveEmptyIniSection(section);
        std::vector<std::string> created = earlier.CreatedKeys;
        std::sort(created.begin(), created.end(), [](const std::string& a, const std::string& b) {
            return KeyDepth(ParseKeyPath(a)) > KeyDepth(ParseKeyPath(b));
        });
        for (const std::string& key : created) RemoveKey(key, true);
    }

private:
    // A pattern stands for every file its folder holds, when this run does not own that folder whole.
    void RemoveFileKey(const std::string& key)
    {
        const std::optional<std::string> path = RemovableFileKey(key, systemDirs_);
        if (!path || !places_.RefusalOfFileKey(key).empty()) return;
        if (!IsPattern(*path)) return RemoveFile(*path);
        const std::string dir = DirectoryPart(*path);
        if (dirs_.contains(PathIdentity(dir)) || !port::IsDirectory(dir) || IsReparsePoint(dir)) return;
        for (const port::DirEntry& entry : port::ListDirectory(dir))
            if (!entry.IsDirectory) RemoveFile(dir + entry.Name);
    }

    void RemoveFile(const std::string& path)
    {
        if (files_.contains(PathIdentity(path)) || !port::FileExists(path)) return;
        if (IsSystemFileKey(path, systemDirs_)) {
            progress_.Log("Kept, possibly used by Windows: " + path);
            return;
        }
        SetFileAttributesW(port::SystemPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        progress_.Log(journal_.MoveAside(path) ? "Removed, the earlier version's: " + path
                                               : "Could not remove the earlier version's " + path);
    }

    // Deepest first, so that a folder goes once its subfolders have.
    void RemoveEmptyDirectories(std::vector<std::string> dirs)
    {
        std::sort(dirs.begin(), dirs.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const std::string& dir : dirs) {
            if (dirs_.contains(PathIdentity(dir)) || IsSystemOrRootDirectory(dir, systemDirs_) ||
                !places_.RefusalOfFolder(dir).empty() || !port::IsDirectory(dir) || IsReparsePoint(dir) ||
                !port::ListDirectory(dir).empty())
                continue;
            journal_.DirectoryToRemove(dir);
            if (RemoveDirectoryW(port::SystemPath(dir).c_str())) progress_.Log("Removed directory " + dir);
        }
    }

    void RemoveKey(const std::string& keyPath, bool onlyEmpty)
    {
        const TKeyPath key = ParseKeyPath(keyPath);
        if (!NamesAKey(key) || IsSharedKey(key) || keys_.contains(KeyIdentity(key))) return;
        journal_.KeyTreeToErase(key);
        if (onlyEmpty ? RemoveEmptyCreatedKey(keyPath) : EraseKeyPath(keyPath))
            progress_.Log("Deleted the earlier version's key " + keyPath);
    }

    void RemoveValue(const TRecordedValue& value)
    {
        const TKeyPath key = ParseKeyPath(value.KeyPath);
        if (!NamesAKey(key) || values_.contains(ValueIdentity(value))) return;
        journal_.ValueToWrite(key, value.Name);
        if (RemoveRecordedValue(value))
            progress_.Log(Concat({"Deleted the earlier version's value ", value.KeyPath, " [", value.Name, "]"}));
    }

    void RemoveIniKey(const TRecordedIniKey& key)
    {
        if (iniKeys_.contains(IniKeyIdentity(key))) return;
        journal_.IniKeyToWrite(key.File, key.Section, key.Key);
        if (RemoveRecordedIniKey(key))
            progress_.Log(
                Concat({"Deleted the earlier version's INI key ", key.File, " [", key.Section, "] ", key.Key}));
    }

    TInstallJournal& journal_;
    TInstallProgress& progress_;
    const std::vector<std::string> systemDirs_;
    const TProtectedPlaces places_;
    std::set<std::string> files_;  // this run's, by PathIdentity
    std::set<std::string> dirs_;   // owned whole by this run, or its folders
    std::set<std::string> keys_;
    std::set<std::string> values_;
    std::set<std::string> iniKeys_;
};

}  // namespace

void RemoveEarlierLeftovers(const TUninstallRecordContents& earlier, const TUninstallRecordContents& now,
                            TInstallJournal& journal, TInstallProgress& progress)
{
    TLeftovers(now, journal, progress).Remove(earlier);
}
