#pragma once
// Which directories belong to this installation, so that only those are recorded to be emptied whole: the
// ones this run creates. Any other directory may hold files of the user's, or of another product installed
// there, and is recorded file by file.
// Paths compare without regard to letter case and to a trailing "\".
#include <set>
#include <string>
#include <vector>

#include "app/install/InstallJournal.h"

class TDirectoryLedger {
public:
    // Creates dir with its missing parents (CreateDirectoryPath, which raises "Unable to create directory"
    // for an empty path) and notes each one that exists afterwards but did not before; those, outermost
    // first. Each gets the access of Program Files (faProgram), wherever it lies: below a drive root it
    // would inherit Modify for every user, who could then replace the uninstaller an administrator runs. Each
    // missing one is journaled before anything is created.
    std::vector<std::string> Create(const std::string& dir, TInstallJournal& journal);

    bool Owns(const std::string& dir) const;

private:
    std::set<std::string> owned_;
};
