#pragma once
// The lists the uninstaller works from, read from uninstaller.cfg before anything is removed (the
// record lies in the install directory and goes with it).
#include <string>
#include <vector>

struct TUninstallRecord {
    std::vector<std::string> Files;           // "Files": file patterns, single files and shortcuts
    std::vector<std::string> Folders;         // "Folder": directories to remove when empty
    std::vector<std::string> RegistryKeys;    // "Registry": keys to delete with their subkeys
    std::vector<std::string> RegistryValues;  // "Registry Values": key path + "|" + value name
    std::vector<std::string> IniKeys;         // "INI Keys": file + "|" + section + "|" + key
};

// The key names of each section of uninstallDir + "uninstaller.cfg", in file order and however many.
// A missing file gives empty lists, and so does a directory that is not an absolute path ending in
// "\": the profile API would look for a bare or relative name in the Windows directory instead.
TUninstallRecord ReadUninstallRecord(const std::string& uninstallDir);
