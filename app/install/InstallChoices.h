#pragma once
// What the user chose in the wizard, as the install run needs it; the setup screen gathers it from its
// controls (RunInstall), the plan lists and settings come from Global.
#include <cstddef>
#include <string>
#include <vector>

#include "state/Global.h"

struct TInstallChoices {
    std::string InstallDir;  // the text of Main_Dir; a missing trailing "\" is added
    std::string Title;       // the caption of TextInfo1: the record's "Title" and the entry's "DisplayName"
    std::string ProductId;   // the uninstall entry's key when set; the title names it otherwise
    TInstallScope Scope = isUnset;  // whose the installation is (never isAsk)
    // The check marks of ListView1, row by row: three rows per shortcut entry, in entry order, for the
    // Start Menu, the Desktop and Quick Launch. A row that is not there counts as not ticked.
    std::vector<bool> ShortcutRows;
    bool FolderDesktop = false;    // CheckBox2, "Add Folder to Desktop"
    bool FolderStartMenu = false;  // CheckBox1, "Add Folder to Start Menu"

    const std::string& EntryKey() const { return ProductId.empty() ? Title : ProductId; }
    bool RowTicked(std::size_t row) const { return row < ShortcutRows.size() && ShortcutRows[row]; }
};
