#include "app/RegistryStep.h"

#include <windows.h>

#include "app/KeyPath.h"
#include "app/ProfileWrite.h"
#include "app/RegistryEntry.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "ui/Registry.h"

namespace {

std::string KeyIdentity(const TKeyPath& key)
{
    return (key.Root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") + UpperCase(key.Path);
}

}  // namespace

void ClearRegistryEntries(const TStringList& entries, TInstallProgress& progress)
{
    for (const std::string& text : entries) {
        progress.ProcessMessages();
        const TRegistryEntry entry = ParseRegistryEntry(text);
        if (!entry.IsIni())
            EraseKeyPath(entry.KeyPath());
        else if (!entry.IsSharedIni())
            DeleteFileA(entry.IniPath().c_str());
    }
}

void TRegistryWriter::WriteRegistryEntries(const TStringList& entries)
{
    progress_.SetCaption(ilLabel2, "Creating Registry Entries");
    progress_.ProcessMessages();
    for (const std::string& text : entries) {
        progress_.ProcessMessages();
        const TRegistryEntry entry = ParseRegistryEntry(text);
        steps_.Step();
        progress_.ProcessMessages();
        if (entry.IsIni())
            WriteIniEntry(entry);
        else
            WriteKeyEntry(entry);
    }
}

void TRegistryWriter::WriteIniEntry(const TRegistryEntry& entry)
{
    const std::string path = entry.IniPath();
    const std::string identity = UpperCase(path);
    const bool ours = createdIniFiles_.contains(identity);
    if (!ours && (entry.IsSharedIni() || port::FileExists(path))) {
        record_.AddIniKey(path, entry.Section, entry.Name);
    } else {
        record_.AddFile(path);
        createdIniFiles_.insert(identity);
    }
    WriteProfileKey(path, entry.Section, entry.Name, entry.Value);
}

void TRegistryWriter::WriteKeyEntry(const TRegistryEntry& entry)
{
    const TKeyPath key = ParseKeyPath(entry.KeyPath());
    // An empty path would open the root key itself and set its default value.
    if (!NamesAKey(key)) return;
    const std::string identity = KeyIdentity(key);
    TRegistry registry(key.Root);
    const bool ours = createdKeys_.contains(identity);
    if (!ours && (IsSharedKey(key) || registry.KeyExists(key.Path))) {
        record_.AddRegistryValue(entry.KeyPath(), entry.Name);
    } else {
        record_.AddRegistryKey(entry.KeyPath());
        createdKeys_.insert(identity);
    }
    if (registry.OpenKey(key.Path, true)) registry.WriteString(entry.Name, entry.Value);
}
