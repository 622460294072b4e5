#pragma once
// What an installation may touch on a machine, written down so that two moments can be compared: the files
// of Program Files (both, on 64-bit Windows), the Start Menu and the Desktop (the user's and every user's), Quick
// Launch and the destination (size, time written, attributes), the files right in the 64-bit system folder on 64-bit
// Windows, the registry below HKEY_LOCAL_MACHINE\Software, HKEY_CURRENT_USER\Software (their Wow6432Node included;
// on 64-bit Windows the 64-bit view of HKEY_LOCAL_MACHINE too, as "HKLM64") and the system's environment (every key
// and value, type and bytes), and every INI file of the Windows directory as the profile API reads it (sections,
// keys and values). Wine's own scratch copy of the system parameters is left out: Wine writes it whenever a program
// first draws.
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// A registry key below one of the roots.
using RegistryPlace = std::pair<HKEY, std::string>;

class MachineSnapshot {
public:
    // The machine now; destination is a directory (ending in "\") that need not exist.
    static MachineSnapshot Take(const std::string& destination);
    // The same files and INI files, but of the registry only the keys named: a whole walk takes a second under
    // Wine, too long for a test that compares the machine after every step of a run.
    static MachineSnapshot TakeWithin(const std::string& destination, const std::vector<RegistryPlace>& keys);

    // One line per difference: "+ what" is new, "- what" is gone, "~ what: before -> after" has changed.
    std::vector<std::string> DifferencesTo(const MachineSnapshot& later) const;

private:
    std::map<std::string, std::string> items_;  // "file C:\...", "key HKLM\...", "value HKLM\...|name", "ini ..."
};
