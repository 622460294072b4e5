#include "app/install/RegistryEntry.h"

#include <array>

#include "config/RegistryEntryTarget.h"
#include "config/TextFields.h"
#include "shell/ShellFolders.h"

namespace {

// The profile files of Windows and of its own programs, upper-cased.
constexpr std::array<const char*, 12> kWindowsIniFiles{
    "WIN.INI",     "SYSTEM.INI", "CONTROL.INI",  "PROGMAN.INI", "PROTOCOL.INI", "WININIT.INI",
    "DESKTOP.INI", "ODBC.INI",   "ODBCINST.INI", "WINFILE.INI", "DOSAPP.INI",   "MSDFMAP.INI",
};

}  // namespace

bool TRegistryEntry::IsIni() const
{
    return TargetIsIniFile(Target);
}

std::string TRegistryEntry::IniPath() const
{
    return IsBareFileName(Target) ? WindowsDir() + "\\" + Target : Target;
}

bool TRegistryEntry::IsSharedIni() const
{
    if (!IsBareFileName(Target)) return true;
    // Windows ignores trailing dots and blanks: "win.ini." is win.ini.
    std::string name = UpperCase(Target);
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    // ".INI" anywhere makes an INI entry, but only a file named like one is taken for the product's own.
    if (!name.ends_with(".INI")) return true;
    for (const char* windowsFile : kWindowsIniFiles)
        if (name == windowsFile) return true;
    return false;
}

TRegistryEntry ParseRegistryEntry(std::string text)
{
    TRegistryEntry entry;
    entry.Target = SplitFirst(text, ',');
    entry.Section = SplitFirst(text, ',');
    entry.Name = SplitFirst(text, ',');
    entry.Value = SplitFirst(text, ',');
    return entry;
}
