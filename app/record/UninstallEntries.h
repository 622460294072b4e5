#pragma once
// A product's uninstall entry, wherever an installation put it: under HKEY_LOCAL_MACHINE in the program's own
// registry view or, on 64-bit Windows, in the 64-bit view, or under HKEY_CURRENT_USER. The entry is what
// makes a record trusted: an uninstall works only on the record in the folder the entry names.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

constexpr const char* kUninstallKeyPrefix = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

struct TUninstallEntry {
    HKEY Root = HKEY_LOCAL_MACHINE;
    REGSAM View = 0;      // 0, or KEY_WOW64_64KEY
    std::string KeyPath;  // kUninstallKeyPrefix + its name
    std::string Dir;      // the directory of the program its "UninstallString" starts, ending in "\"; may be empty

    // The root's name and the key path, for messages.
    std::string Text() const;
};

// The directory of the program an "UninstallString" starts, with its trailing "\": the program path may be in
// double quotes, or bare and ending at ".exe" before its arguments; empty when the text names no directory.
std::string ProgramDirectoryOf(const std::string& uninstallString);

// The entries named name, in the order above; none for an empty name or one with "\" (that would be the
// uninstall key itself, or a key below another product's entry).
std::vector<TUninstallEntry> FindUninstallEntries(const std::string& name);

// The entry named name whose directory is dir, both in their one spelling (CanonicalPath).
std::optional<TUninstallEntry> EntryNamingFolder(const std::string& name, const std::string& dir);

// Deletes the entry with its subkeys; true when it was deleted.
bool DeleteUninstallEntry(const TUninstallEntry& entry);
