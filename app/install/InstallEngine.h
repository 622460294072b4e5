#pragma once
// The install run: the work behind the setup screen's install page. TDisplayScreen::RunInstall gathers
// the choices from its controls, calls RunInstallation with itself as the progress display, and moves
// the wizard to the Finished page when it returns. Every change is journaled first (app/install/InstallJournal.h):
// an exception stops the run, what it changed is undone, and an Exception with the first one's message followed
// by the undo's (app/install/JournalUndo.h: UndoneMessage) goes on to the caller. A run that completes drops
// the journal.
#include <cstddef>
#include <string>

#include "state/Global.h"
#include "app/install/InstallChoices.h"
#include "app/install/InstallOutcome.h"
#include "app/install/InstallProgress.h"

// Whether an entry of destinations after index equals path exactly (letter case counts).
bool DestinationRepeatsLater(const TStringList& destinations, std::size_t index, const std::string& path);

// In this order: a journal the product's last run left (it was killed) undone and logged; the scratch folder
// journaled; the Image1 mark; the earlier installation's record read and the entries' targets looked
// at (app/install/EarlierInstallation.h, app/install/EntriesBefore.h); the install directory created and a fresh record
// opened in it (uninstaller.cfg; Exception "Unable to write to " + its path when it cannot be);
// ClearRegistryEntries; the progress range; setup.exe, install.cfg and finstall.cfg added to the plan, which
// is resolved again; the destinations taken out of what the next restart would remove; every destination
// created, copied from TempDir (app/install/FilePlacement.h) and recorded; the install directory recorded; the logo
// and background copied there for the uninstaller; the StepMarks 1 mark and the shortcuts; the StepMarks 2
// mark, the registry entries and the uninstall key; the title recorded; Label2 "Finished".
// A directory is recorded to be emptied whole ("*.*") only when it belongs to the product (made by this run,
// app/install/DirectoryLedger.h, or recorded so by the earlier installation) and is none of SystemDirs; in any other
// each file is recorded once this run has put it there. A file that is not installed, or waits for the next
// restart, does not stop the run: the outcome names it. A copy that fails part-way (a full disk) stops the
// run with the system's message naming the file.
TInstallOutcome RunInstallation(TGlobal& global, const TInstallChoices& choices, TInstallProgress& progress);
