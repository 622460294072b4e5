#pragma once
// The work of the Uninstaller page's button: reads uninstaller.cfg and undoes the installation in
// four passes (files, their directories, program folders, registry and INI entries), deletes the
// uninstall key and closes the program. Everything it shows or asks goes through TUninstallView.
#include <optional>
#include <string>

#include "app/record/UninstallEntries.h"
#include "app/uninstall/UninstallView.h"

struct TUninstallRequest {
    std::string UninstallDir;              // directory of uninstaller.cfg, ending in "\"
    std::string UninstallTitle;            // the product's title
    std::optional<TUninstallEntry> Entry;  // the entry that led to UninstallDir: the one deleted at the end
    bool NothingToUninstall = false;       // the button reads "EXIT": only close
};

// Per-item failures are passed over. Files that are in use (the running uninstaller among them)
// and the directories left holding only them are scheduled for removal at the next restart; read-only
// files the record names go now. Keys of the record that name what no installation may own
// (TProtectedPlaces, IsSharedKey) or reach through a link are kept, logged and named in a warning at the
// end. A record that cannot be found removes nothing and keeps the uninstall entry. True when the record
// was there to work from.
bool RunUninstall(const TUninstallRequest& request, TUninstallView& view);
