#pragma once
// The work of the Uninstaller page's button: reads uninstaller.cfg and undoes the installation in
// four passes (files, their directories, program folders, registry and INI entries), deletes the
// uninstall key and closes the program. Everything it shows or asks goes through TUninstallView.
#include <string>

#include "app/uninstall/UninstallView.h"

struct TUninstallRequest {
    std::string UninstallDir;         // directory of uninstaller.cfg, ending in "\"
    std::string UninstallTitle;       // names the uninstall key
    bool NothingToUninstall = false;  // the button reads "EXIT": only close
};

// Per-item failures are passed over. Files that are in use (the running uninstaller among them)
// and the directories left holding only them are scheduled for removal at the next restart; read-only
// files the record names go now. A record that cannot be found removes nothing and keeps the uninstall key.
void RunUninstall(const TUninstallRequest& request, TUninstallView& view);

// Deletes HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\currentversion\uninstall\ + title with its
// subkeys. An empty title, or one with "\", is refused: it would name the uninstall key itself or a
// key beside the product's.
bool DeleteUninstallKey(const std::string& title);
