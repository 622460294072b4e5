#pragma once
// The uninstall record uninstaller.cfg in the install directory: what the uninstaller removes, written
// whole again with every key as the install run goes, so a run stopped half-way leaves a partial record.
// It is UTF-8 and begins with the UTF-8 byte-order mark, which tells it from the records of earlier versions
// (app/record/RecordFile.h). Every key but those of "Name" has an empty value; readers ask only for key names.
//
// Sections:
//   "Files"            a directory + "*.*" (every file in it), a single file, or a shortcut
//   "Folder"           a directory to remove when empty
//   "Placed Files"     each file the run put in place, also in a directory of "Files" with "*.*": the uninstaller
//                      does not need it, the next version's installation removes those it does not place again
//   "Registry"         a key path (target + "\" + section) to delete with its subkeys
//   "Registry Values"  key path | value name: that value only
//   "INI Keys"         INI file path | section | key: that key only
//   "Created Keys"     a key path this run created: removed once nothing is left in it
//   "INI Sections"     INI file path | section, a section this run added: removed once it holds no key
//   "Name"             "Title" = the product title; "Entry" = the uninstall entry's key when it is not the title;
//                      "Scope" = "user" or "machine" when the installation has a scope; "View" = "64-bit" for a
//                      64-bit product, whose keys are in the 64-bit registry view
// "Registry Values", "INI Keys" and "INI Sections" are for keys and files the installation wrote into but
// did not create. A key holds its fields as app/record/RecordFormat.h describes, so every name reads back exactly.
#include <string>

#include "app/install/RecordSections.h"
#include "app/record/RecordFormat.h"

class TUninstallRecord {
public:
    // The record of the install directory installDir (ending in "\").
    explicit TUninstallRecord(const std::string& installDir) : path_(installDir + RecordFileName) {}

    const std::string& Path() const { return path_; }

    // Deletes the last installation's record and starts an empty one. Raises Exception "Unable to write
    // to " + Path() when the old record cannot be deleted or the new one cannot be created.
    void Open();

    // Every write raises Exception "Unable to write to " + Path() when the file cannot be written.
    void AddFile(const std::string& path);
    void AddDirectoryFiles(const std::string& dir);  // dir + "*.*"
    // Written with the next write, not on its own: it serves only a completed run, whose record ends with its title.
    void AddPlacedFile(const std::string& path);
    void AddFolder(const std::string& dir);
    void AddRegistryKey(const std::string& keyPath);
    void AddRegistryValue(const std::string& keyPath, const std::string& valueName);
    void AddIniKey(const std::string& iniFile, const std::string& section, const std::string& key);
    void AddCreatedKey(const std::string& keyPath);
    void AddIniSection(const std::string& iniFile, const std::string& section);
    void SetTitle(const std::string& title, const std::string& entryKey);
    void SetPlaces(const std::string& scope, bool view64);

private:
    void Write(const std::string& section, const std::string& key, const std::string& value);
    void Save() const;

    std::string path_;
    TRecordSections sections_;
};
