#pragma once
// Which directories belong to this installation, so that only those are recorded to be emptied whole:
// the ones this run creates, and the ones below the install directory that the last installation there
// recorded whole. Any other directory may hold files of the user's and is recorded file by file.
// Paths compare without regard to letter case and to a trailing "\".
#include <set>
#include <string>
#include <vector>

class TDirectoryLedger {
public:
    // Creates dir with its missing parents (CreateDirectoryPath, which raises "Unable to create directory"
    // for an empty path) and notes each one that exists afterwards but did not before.
    void Create(const std::string& dir);

    // The directories of the previous record's "*.*" keys that lie in or below installDir.
    void AdoptPrevious(const std::vector<std::string>& recordedFiles, const std::string& installDir);

    bool Owns(const std::string& dir) const;

private:
    std::set<std::string> owned_;
};
