#pragma once
// The entry under HKEY_LOCAL_MACHINE that tells Windows how to start the uninstaller, and what "Apps & features"
// and software inventories show of the product.
#include <cstdint>
#include <string>

#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"

// "Software\Microsoft\Windows\currentversion\uninstall\" + key.
std::string UninstallKeyPath(const std::string& key);

// The command Windows runs: the installed setup.exe in double quotes, so a path with blanks cannot be
// taken for a shorter program, then "--", so that a key beginning with "/" is no switch, and the entry's key.
// quiet: with "/S" before "--".
std::string UninstallCommand(const std::string& installDir, const std::string& key, bool quiet = false);

struct TEntryFacts {
    std::string Key;         // the product id, or the title
    std::string Title;       // "DisplayName"
    std::string InstallDir;  // ending in "\"
    std::string Version;     // the optional values are left out when empty
    std::string Publisher;
    std::string DisplayIcon;  // a full path
    std::string HelpLink;
    std::string AboutLink;
    std::uint64_t PlacedBytes = 0;  // of the files the run placed
    HKEY Root = HKEY_LOCAL_MACHINE;  // HKEY_CURRENT_USER for a user's own installation
};

// Label2 "Creating Uninstaller", then the key with every value, each journaled first; a value an earlier entry of
// the key holds and this one does not is deleted. Nothing is written when the key cannot be created, and nothing
// for an empty key or one with "\": that key would be the uninstall key of every program, or another program's,
// and the uninstaller deletes it whole.
void WriteUninstallKey(const TEntryFacts& facts, TInstallProgress& progress, TInstallJournal& journal);
