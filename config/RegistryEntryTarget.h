#pragma once
// The target of an "INIREG n" entry of install.cfg ("target,section,name,value"): an INI file or a registry
// key path, read alike by the setup program and the maker.
#include <string>

// Whether the target names an INI file: its upper-cased text contains ".INI".
bool TargetIsIniFile(const std::string& target);

// Whether an INI target is a bare file name (no "\", "/" or ":"), which the profile functions place in the
// Windows folder.
bool IsBareFileName(const std::string& target);

// Whether a key path's root is HKEY_LOCAL_MACHINE: its first name, upper-cased, begins with "HKEY_" and contains
// "HKEY_LOCAL_MACHINE". Any other key path is below HKEY_CURRENT_USER.
bool IsLocalMachineKeyPath(const std::string& keyPath);
