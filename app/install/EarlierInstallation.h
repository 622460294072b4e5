#pragma once
// What an earlier installation of the same product recorded as wholly its own, read from its record in the
// install directory, or wherever the product's uninstall entry names, before this run replaces it. A
// reinstallation or an upgrade finds its own keys, INI files and directories there already; this record is how it
// knows that they are the product's and not the user's. Only a record whose entry key is this product's counts,
// and only in the folder the product's uninstall entry names: another product's keys are not ours to take, and a
// record planted in a destination folder is nobody's. What no installation may own (TProtectedPlaces) is never
// taken from it.
#include <set>
#include <string>

#include "app/record/KeyPath.h"
#include "app/record/UninstallRecordReader.h"

class TEarlierInstallation {
public:
    // No earlier installation: nothing is owned.
    TEarlierInstallation() = default;
    // The record in the folder that an uninstall entry named entryKey (not empty) names, installDir (ending in
    // "\") when one does, when that record names entryKey as its entry.
    TEarlierInstallation(const std::string& installDir, const std::string& entryKey);

    // The earlier installation's folder, ending in "\"; empty when there is none.
    const std::string& Dir() const { return dir_; }
    const TUninstallRecordContents& Record() const { return record_; }

    bool OwnsKey(const TKeyPath& key) const;                 // a whole key ("Registry")
    bool CreatedKey(const TKeyPath& key) const;              // "Created Keys", or a whole key
    bool OwnsFile(const std::string& path) const;            // a single file ("Files")
    bool OwnsDirectory(const std::string& dir) const;        // emptied whole ("Files": dir + "*.*")
    bool OwnsFolder(const std::string& dir) const;           // removed when empty ("Folder")
    bool AddedIniSection(const std::string& file, const std::string& section) const;  // "INI Sections"

private:
    std::string dir_;
    TUninstallRecordContents record_;
    std::set<std::string> keys_;
    std::set<std::string> createdKeys_;
    std::set<std::string> files_;
    std::set<std::string> directories_;
    std::set<std::string> folders_;
    std::set<std::string> iniSections_;
};
