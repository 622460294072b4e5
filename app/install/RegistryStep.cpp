#include "app/install/RegistryStep.h"

#include <windows.h>

#include "app/install/ProfileWrite.h"
#include "app/record/KeyPath.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "settings/IniFile.h"
#include "settings/Registry.h"
#include "shell/ReparsePoints.h"

void ClearRegistryEntries(const TStringList& entries, const TEarlierInstallation& earlier, TInstallProgress& progress,
                          TInstallJournal& journal)
{
    for (const std::string& text : entries) {
        progress.ProcessMessages();
        const TRegistryEntry entry = ParseRegistryEntry(text);
        if (!entry.IsIni()) {
            const TKeyPath key = ParseKeyPath(entry.KeyPath());
            if (!earlier.OwnsKey(key) || IsSharedKey(key) || !NamesAKey(key)) continue;
            journal.KeyTreeToErase(key);
            EraseKeyPath(entry.KeyPath());
        } else if (!entry.IsSharedIni() && earlier.OwnsFile(entry.IniPath()) && !ReachesThroughLink(entry.IniPath()) &&
                   port::FileExists(entry.IniPath())) {
            journal.MoveAside(entry.IniPath());
        }
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
    const bool ours = !entry.IsSharedIni() && (!before_.IniFileExisted(path) || earlier_.OwnsFile(path));
    if (ours) {
        record_.AddFile(path);
    } else {
        record_.AddIniKey(path, entry.Section, entry.Name);
        if (!before_.IniSectionExisted(path, entry.Section) || earlier_.AddedIniSection(path, entry.Section))
            record_.AddIniSection(path, entry.Section);
    }
    journal_.IniKeyToWrite(path, entry.Section, entry.Name);
    WriteProfileKey(path, entry.Section, entry.Name, entry.Value);
    progress_.Log(Concat({"INI key ", path, " [", entry.Section, "] ", entry.Name, "=", entry.Value}));
}

void TRegistryWriter::WriteKeyEntry(const TRegistryEntry& entry)
{
    const TKeyPath key = ParseKeyPath(entry.KeyPath());
    // An empty path would open the root key itself and set its default value.
    if (!NamesAKey(key)) return;
    const bool ours = !IsSharedKey(key) && (!before_.KeyExisted(key) || earlier_.OwnsKey(key));
    if (ours)
        record_.AddRegistryKey(entry.KeyPath());
    else
        record_.AddRegistryValue(entry.KeyPath(), entry.Name);
    RecordCreatedKeys(key, ours);
    journal_.KeysToCreate(key);
    journal_.ValueToWrite(key, entry.Name);
    TRegistry registry(key.Root);
    if (!registry.OpenKey(key.Path, true)) {
        progress_.Log(Concat({"Registry key not created: ", KeyPathText(key)}));
        return;
    }
    registry.WriteString(entry.Name, entry.Value);
    progress_.Log(Concat({"Registry value ", KeyPathText(key), " [", entry.Name, "]=", entry.Value}));
}

// The keys the write is about to create, and those the earlier installation created, from the key itself
// up; a key recorded whole goes with its subkeys and needs no line of its own.
void TRegistryWriter::RecordCreatedKeys(const TKeyPath& key, bool recordedWhole)
{
    const TRegistry registry(key.Root);
    for (const TKeyPath& created : KeyAndParents(key)) {
        if (recordedWhole && created.Path == key.Path) continue;
        if (!registry.KeyExists(created.Path) || earlier_.CreatedKey(created))
            record_.AddCreatedKey(KeyPathText(created));
    }
}
