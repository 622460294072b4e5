#pragma once
// The uninstaller's registry pass over recorded entries: whole keys, single values and single INI
// keys. Every entry is hostile until checked: none may reach beyond what it names, and none may
// take a root key or a key that Windows and other programs share.
#include <windows.h>

#include <optional>
#include <string>

struct TRecordedKeyPath {
    HKEY Root;
    std::string Path;  // below the root: names joined by single "\", never empty
};

// The root is cut off as the installation writes it: a first name beginning with "HKEY_" (any
// letter case) is the root, HKEY_LOCAL_MACHINE when it contains that name and otherwise
// HKEY_CURRENT_USER; a path without such a name is below HKEY_CURRENT_USER. Empty names (doubled
// or outer "\") are dropped; nothing when no name is left.
std::optional<TRecordedKeyPath> ParseRecordedKeyPath(const std::string& keyPath);

// Deletes the key with all its subkeys. Refused (false) for a key fewer than three names below its
// root and for any key under Software\Microsoft or Software\Classes: an installation records such
// keys by value, never as a whole. False also when the key is missing or cannot be deleted.
bool EraseRecordedKey(const std::string& keyPath);

// entry: key path + "|" + value name (split at the first "|"). Deletes that value only, never its
// key; false when refused, missing or not deleted.
bool RemoveRecordedValue(const std::string& entry);

// entry: INI file + "|" + section + "|" + key (split at the first two "|"). Deletes that key only,
// never its section or file. The file must be an absolute path to an existing file, and section and
// key must not be empty (an empty key would make the profile API drop the whole section).
bool RemoveRecordedIniKey(const std::string& entry);
