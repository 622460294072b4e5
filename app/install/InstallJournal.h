#pragma once
// The journal of one install run: before each change the run makes to the machine, a line saying what it is about
// to do and what puts it back (app/install/JournalEntry.h). A file the run replaces or deletes is moved aside
// into a folder of the run's own below the machine's program data, never overwritten. When the run completes,
// Commit drops the journal and the files moved aside; when it does not, UndoJournal (app/install/JournalUndo.h)
// puts the machine back from it, in this run or in the next run of the product after this one was killed.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/install/JournalEntry.h"
#include "app/install/RawRegistry.h"
#include "app/record/KeyPath.h"

class TInstallJournal {
public:
    // Begins the journal of the product whose uninstall entry key is title. Raises Exception naming the journal's
    // key when it cannot be made.
    explicit TInstallJournal(const std::string& title);
    ~TInstallJournal();
    TInstallJournal(const TInstallJournal&) = delete;
    TInstallJournal& operator=(const TInstallJournal&) = delete;

    // The run's scratch folder and the files the run wrote there, removed by an undo.
    void ScratchFolder(const std::string& dir, const std::vector<std::string>& names);
    void DirectoryToCreate(const std::string& dir);
    // An empty folder about to be removed.
    void DirectoryToRemove(const std::string& dir);
    // A file about to be created where there is none, or one the run has just created where none was.
    void FileToCreate(const std::string& path);
    // Moves an existing file aside; false, with nothing changed, when it cannot be moved.
    bool MoveAside(const std::string& path);
    // Puts back what MoveAside took from path, when what was to replace it could not be placed.
    void PutBack(const std::string& path);
    // Keeps a copy of an existing file that is about to change in place. Raises Exception naming the file when
    // no copy can be kept.
    void CopyAside(const std::string& path);
    // Each key of key and its parents that does not exist yet, the outermost first.
    void KeysToCreate(const TKeyPath& key);
    void ValueToWrite(const TKeyPath& key, const std::string& name);
    // The key and every key and value below it.
    void KeyTreeToErase(const TKeyPath& key);
    void IniKeyToWrite(const std::string& file, const std::string& section, const std::string& key);

    // The run is complete: the journal goes first, so that nothing can undo the run any more, then the files
    // moved aside.
    void Commit();

private:
    void Add(TJournalKind kind, std::vector<std::string> fields);
    // A value's line: its earlier type and bytes, or that it was not there.
    void AddValue(const std::string& keyPath, const std::string& name, const std::optional<TRawValue>& value);
    std::string NextBackup();

    std::string title_;
    std::string keyPath_;
    HKEY key_ = nullptr;   // open from the start to the commit: a run may write tens of thousands of lines
    std::string backups_;  // the folder, created with the first file moved aside
    std::vector<std::string> backupNames_;
    std::vector<std::pair<std::string, std::string>> movedAside_;  // path, backup
    int lines_ = 0;
};

// Tests only: called with the number of each line once it is written, before the change it announces. A
// shipped setup.exe never sets it.
void SetJournalStepSeam(std::function<void(int)> seam);
