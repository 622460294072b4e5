#pragma once
// What an earlier installation of the same product recorded as wholly its own, read from its record in the
// install directory before this run replaces it. A reinstallation finds its own keys, INI files and
// directories there already; this record is how it knows that they are the product's and not the user's.
// Only a record whose "Title" is this product's counts, and only in the folder the product's uninstall entry
// names: another product's keys are not ours to take, and a record planted in a destination folder is
// nobody's. What no installation may own (TProtectedPlaces) is never taken from it.
#include <set>
#include <string>

#include "app/record/KeyPath.h"

class TEarlierInstallation {
public:
    // No earlier installation: nothing is owned.
    TEarlierInstallation() = default;
    // The record in installDir (ending in "\") when it is there, names title (not empty) as its product, and an
    // uninstall entry of title names installDir.
    TEarlierInstallation(const std::string& installDir, const std::string& title);

    bool OwnsKey(const TKeyPath& key) const;                 // a whole key ("Registry")
    bool CreatedKey(const TKeyPath& key) const;              // "Created Keys", or a whole key
    bool OwnsFile(const std::string& path) const;            // a single file ("Files")
    bool OwnsDirectory(const std::string& dir) const;        // emptied whole ("Files": dir + "*.*")
    bool OwnsFolder(const std::string& dir) const;           // removed when empty ("Folder")
    bool AddedIniSection(const std::string& file, const std::string& section) const;  // "INI Sections"

private:
    std::set<std::string> keys_;
    std::set<std::string> createdKeys_;
    std::set<std::string> files_;
    std::set<std::string> directories_;
    std::set<std::string> folders_;
    std::set<std::string> iniSections_;
};
