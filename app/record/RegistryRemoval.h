#pragma once
// The uninstaller's registry pass over recorded single values, single INI keys, created keys and added
// INI sections (whole keys go through EraseKeyPath). Every entry is hostile until checked: none may reach
// beyond what it names, and none may take a root key or a key that Windows and other programs share.
#include <string>

#include "app/record/UninstallRecordReader.h"

// Deletes that value only, never its key; false when refused, missing or not deleted.
bool RemoveRecordedValue(const TRecordedValue& value);

// Deletes that key only, never its section or file. The file must be an absolute path to an existing
// file, and section and key must not be empty (an empty key would make the profile API drop the whole
// section).
bool RemoveRecordedIniKey(const TRecordedIniKey& iniKey);

// Removes the section once no key is left in it: the installation added it and whatever it wrote there is
// gone. The same checks as for a key.
bool RemoveEmptyIniSection(const TRecordedIniSection& section);

// Deletes the key once it holds no subkey and no value: the installation created it. A root, or a key
// right below one (Software, System), is never touched.
bool RemoveEmptyCreatedKey(const std::string& keyPath);
