#pragma once
// What an uninstall record lists, read from uninstaller.cfg before anything is removed (the record lies in
// the install directory and goes with it), each key split into its fields (app/record/RecordFormat.h).
#include <string>
#include <vector>

struct TRecordedValue {
    std::string KeyPath;
    std::string Name;
};

struct TRecordedIniKey {
    std::string File;
    std::string Section;
    std::string Key;
};

struct TRecordedIniSection {
    std::string File;
    std::string Section;
};

struct TUninstallRecordContents {
    bool Found = false;                              // the record file is there to be read
    std::string Title;                               // "Name" / "Title"
    std::string EntryKey;                            // "Name" / "Entry", or the title without it
    std::string Scope;                               // "Name" / "Scope": "user", "machine" or ""
    bool View64 = false;                             // "Name" / "View" is "64-bit"
    std::vector<std::string> Files;                  // file patterns, single files and shortcuts
    std::vector<std::string> PlacedFiles;            // each file the installation put in place
    std::vector<std::string> Folders;                // directories to remove when empty
    std::vector<std::string> RegistryKeys;           // keys to delete with their subkeys
    std::vector<TRecordedValue> RegistryValues;      // single values
    std::vector<TRecordedIniKey> IniKeys;            // single INI keys
    std::vector<std::string> CreatedKeys;            // keys to delete once empty
    std::vector<TRecordedIniSection> IniSections;    // INI sections to remove once empty
};

// Every key of uninstallDir + "uninstaller.cfg" (read as app/record/RecordFile.h says), in file order and however
// many; a key that does not hold its section's fields is left out. A missing file gives empty lists, and so does
// a directory that is not an absolute path ("X:\..." or "\\server\share\...") ending in "\": a bare or relative
// name would depend on the current directory.
TUninstallRecordContents ReadUninstallRecord(const std::string& uninstallDir);
