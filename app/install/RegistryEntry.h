#pragma once
// One element of RegistryEntries: "target,section,name,value". A target whose upper-cased text contains
// ".INI" names an INI file; any other a registry key path (app/record/KeyPath.h).
#include <string>

struct TRegistryEntry {
    std::string Target;
    std::string Section;
    std::string Name;
    std::string Value;  // ends at the next ","

    bool IsIni() const;
    // Registry entry: the key the value goes into, Target + "\" + Section, as the record names it.
    std::string KeyPath() const { return Target + "\\" + Section; }
    // INI entry: the file written. A bare file name is in the Windows directory, as the profile API puts
    // it; a target with a directory is where the profile API puts it.
    std::string IniPath() const;
    // INI entry: a bare file name that Windows itself keeps (win.ini, system.ini ...), a name that does
    // not end in ".ini", or any target with a directory. Such a file is never deleted by the installation
    // or its uninstaller.
    bool IsSharedIni() const;
};

TRegistryEntry ParseRegistryEntry(std::string text);
