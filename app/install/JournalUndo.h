#pragma once
// Putting the machine back from an installation's journal (app/install/InstallJournal.h): by the run itself when
// it fails or is cancelled, and by the next run of the product, installing or uninstalling, before anything else
// when a run was killed. Undo restores; it never removes what was there before the run: a folder or key the run
// created is removed only once it is empty again, and a file the run moved aside goes back only when it is still
// among the backups.
#include <windows.h>

#include <string>
#include <vector>

struct TUndoReport {
    bool Found = false;                    // a journal was there
    std::vector<std::string> NotRestored;  // what could not be put back, each named with why
};

// Undoes the journal of the product whose uninstall entry key is title, its last line first; then removes the
// files moved aside and the run's scratch folder (when it is still the folder the run made), and drops the
// journal.
TUndoReport UndoJournal(const std::string& title);

// Where this process keeps journals: below HKEY_LOCAL_MACHINE with an administrator's rights, where no one else
// may write, so that nobody's key can steer an elevated undo; below HKEY_CURRENT_USER, the user's own, without.
HKEY JournalRoot();

// The journal's key, and the key of all journals once it is empty.
void DropJournal(const std::string& title);

// The files moved aside (each name, and the part of a copy that was stopped), then their folder.
void RemoveBackups(const std::string& dir, const std::vector<std::string>& names);

// The volume and file index of a folder, which no other folder has while it exists; "" when it cannot be read.
std::string FolderIdentity(const std::string& dir);

// why, then that the installation was not completed and the computer is as before, or what was not put back.
std::string UndoneMessage(const std::string& why, const TUndoReport& report);

// Said when a run finds the journal of a run that was killed and has undone it; "" when there was none.
std::string InterruptedRunMessage(const std::string& title, const TUndoReport& report);
