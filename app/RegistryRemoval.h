#pragma once
// The uninstaller's registry pass over recorded single values and single INI keys (whole keys go
// through EraseKeyPath). Every entry is hostile until checked: none may reach beyond what it names, and none may
// take a root key or a key that Windows and other programs share.
#include <string>

// entry: key path + "|" + value name (split at the first "|"). Deletes that value only, never its
// key; false when refused, missing or not deleted.
bool RemoveRecordedValue(const std::string& entry);

// entry: INI file + "|" + section + "|" + key (split at the first two "|"). Deletes that key only,
// never its section or file. The file must be an absolute path to an existing file, and section and
// key must not be empty (an empty key would make the profile API drop the whole section).
bool RemoveRecordedIniKey(const std::string& entry);
