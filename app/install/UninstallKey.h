#pragma once
// The entry under HKEY_LOCAL_MACHINE that tells Windows how to start the uninstaller.
#include <string>

#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"

// "Software\Microsoft\Windows\currentversion\uninstall\" + title.
std::string UninstallKeyPath(const std::string& title);

// The command Windows runs: the installed setup.exe in double quotes, so a path with blanks cannot be
// taken for a shorter program, then "--", so that a title beginning with "/" is no switch, and the title.
std::string UninstallCommand(const std::string& installDir, const std::string& title);

// Label2 "Creating Uninstaller", then the key with "DisplayName" and "UninstallString", journaled first. Nothing is
// written when the key cannot be created, and nothing for an empty title or one with "\": that key would be the
// uninstall key of every program, or another program's, and the uninstaller deletes it whole.
void WriteUninstallKey(const std::string& title, const std::string& installDir, TInstallProgress& progress,
                       TInstallJournal& journal);
