#pragma once
// One file of the plan put in place. The copy is made beside its target and then moved over it, so a copy
// that fails part-way never leaves the target half-written, and a file that was there is never forced: a
// read-only one stays as it is, one of a higher version than the copy too, and one in use is replaced at the next
// restart.
#include <string>

#include "app/install/InstallJournal.h"

enum TPlacement {
    plInstalled,  // target now holds the copy
    plAtRestart,  // target is in use: the copy waits beside it and replaces it at the next restart
    plNoSource,   // the source cannot be opened
    plReadOnly,   // target is read-only and stays as it is
    plKeptNewer,  // target's version resource names a higher version than the copy's: it stays as it is
    plRefused,    // target cannot be written, or the copy cannot be placed beside it
    plInUse,      // target is in use, and the run may not have it replaced at the restart
};

// A file that was there is moved aside into the journal's backups, never overwritten, and the copy made beside
// the target is journaled as soon as it exists. Raises the platform's read or write error when the copy fails
// part-way (a full disk); target is untouched. Without atRestart a file in use stays: the restart's list of renames
// is the machine's, below HKEY_LOCAL_MACHINE.
TPlacement PlaceFile(const std::string& source, const std::string& target, TInstallJournal& journal,
                     bool atRestart = true);
