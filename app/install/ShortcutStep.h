#pragma once
// The program folders and shortcuts of the install run: one TShortcuts call per shortcut entry, with
// every folder it may create recorded before it is made, and every shortcut once it is saved. A folder is recorded only
// when it is not there yet, or when the earlier installation of the product recorded it: a folder that was there before
// may hold another program's shortcuts and is the machine's.
#include <string>
#include <vector>

#include "app/install/EarlierInstallation.h"
#include "app/install/InstallChoices.h"
#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"
#include "app/install/UninstallRecord.h"
#include "shell/Shortcut.h"
#include "state/Global.h"

// A folder and each of its parents, deepest first: A\B\C gives A\B\C, A\B, A. Empty names (from a
// leading, trailing or doubled "\") are left out, so a field that names no folder gives none.
std::vector<std::string> FolderChain(const std::string& folder);

// Label2 "Creating Folders", then per entry (name, target with a path macro, three flags the list-view
// rows replace, unused, folder, icon file): one progress step, the shortcuts' properties from the entry
// and the choices, the record keys (Start Menu folders always, as far as they are the product's; direct
// shortcuts as ticked; folder shortcuts on the Desktop and in the Start Menu as chosen; always in the
// Programs group), Label1 "Folders: " + name, the folders to be made and the shortcuts to be saved journaled (a
// shortcut that is there already is copied aside), and the shortcuts made. Errors of the record, the journal and
// the shortcut object are raised. The shortcuts that could not be saved, which are not recorded.
std::vector<std::string> CreateProgramFolders(const TStringList& entries, const TInstallChoices& choices,
                                              const std::string& installDir, TShortcuts& shortcuts,
                                              TUninstallRecord& record, const TEarlierInstallation& earlier,
                                              TInstallProgress& progress, TProgressSteps& steps,
                                              TInstallJournal& journal);
