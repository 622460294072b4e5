#include "app/install/ShortcutStep.h"

#include <algorithm>

#include "app/product/Destinations.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/ShellFolders.h"

namespace {

// The entry's fields put on the component; fields 3 to 6 are replaced by the choices or unused.
void LoadEntry(std::string entry, const TInstallChoices& choices, std::size_t firstRow, const std::string& installDir,
               TShortcuts& shortcuts)
{
    shortcuts.FolderDesktop = choices.FolderDesktop;
    shortcuts.FolderStartMenu = choices.FolderStartMenu;
    shortcuts.AllUsers = choices.Scope == isMachine;
    shortcuts.ProgramName = SplitFirst(entry, ',');
    shortcuts.RunProgram = ExpandPathMacros(SplitFirst(entry, ','), installDir);
    shortcuts.StartMenu = choices.RowTicked(firstRow);
    shortcuts.Desktop = choices.RowTicked(firstRow + 1);
    shortcuts.QuickLaunch = choices.RowTicked(firstRow + 2);
    for (int unused = 3; unused <= 6; ++unused) SplitFirst(entry, ',');
    const std::vector<std::string> chain = FolderChain(SplitFirst(entry, ','));
    shortcuts.Folder = chain.empty() ? std::string() : chain.front();
    const std::string icon = FileNamePart(SplitFirst(entry, ','));
    shortcuts.IconFile = icon.empty() ? std::string() : installDir + icon;
}

class TShortcutRecorder {
public:
    TShortcutRecorder(TUninstallRecord& record, const TEarlierInstallation& earlier)
        : record_(record), earlier_(earlier)
    {
    }

    // Records one entry's folders before they are made, and notes the shortcuts it will make.
    void Record(const TShortcuts& shortcuts)
    {
        newFolders_.clear();
        links_.clear();
        const std::string desktop = shortcuts.Location(sfDesktop);
        const std::string startMenu = shortcuts.Location(sfStartMenu);
        const std::string fileName = shortcuts.ProgramName + ".lnk";
        RecordFolders(startMenu, shortcuts);
        if (shortcuts.StartMenu) AddLink(startMenu + fileName);
        if (shortcuts.Desktop) AddLink(desktop + fileName);
        if (shortcuts.QuickLaunch) AddLink(TShortcuts::QuickLaunchDir() + fileName);
        if (shortcuts.FolderDesktop) RecordFolderShortcut(desktop, shortcuts);
        if (shortcuts.FolderStartMenu) RecordFolderShortcut(startMenu, shortcuts);
        RecordFolderShortcut(shortcuts.Location(sfPrograms), shortcuts);
    }

    // What the entry is about to make: its folders, the outermost first, and its shortcuts.
    void Journal(TInstallJournal& journal) const
    {
        for (auto it = newFolders_.rbegin(); it != newFolders_.rend(); ++it)
            if (!port::IsDirectory(*it)) journal.DirectoryToCreate(*it);
        for (const std::string& link : links_) {
            if (port::FileExists(link))
                journal.CopyAside(link);
            else
                journal.FileToCreate(link);
        }
    }

    // Once they are made: the folders made, deepest last, and the shortcuts saved, which are recorded now; the
    // ones that could not be saved are returned.
    std::vector<std::string> RecordMade(const std::vector<std::string>& unsaved, TInstallProgress& progress)
    {
        for (auto it = newFolders_.rbegin(); it != newFolders_.rend(); ++it)
            if (port::IsDirectory(*it)) progress.Log(Concat({"Created folder ", *it}));
        std::vector<std::string> missing;
        for (const std::string& link : links_) {
            if (std::find(unsaved.begin(), unsaved.end(), link) != unsaved.end() || !port::FileExists(link)) {
                missing.push_back(link);
                continue;
            }
            record_.AddFile(link);
            progress.Log(Concat({"Shortcut ", link}));
        }
        return missing;
    }

private:
    // The folders of the chain below location that are, or are about to be, the product's.
    void RecordFolders(const std::string& location, const TShortcuts& shortcuts)
    {
        for (const std::string& folder : FolderChain(shortcuts.Folder)) {
            const std::string path = location + folder;
            const bool missing = !port::IsDirectory(path);
            if (missing) newFolders_.push_back(path);
            if (missing || earlier_.OwnsFolder(path)) record_.AddFolder(path);
        }
    }

    void AddLink(const std::string& path) { links_.push_back(path); }

    // The folders of the chain below location, then the shortcut in the deepest of them.
    void RecordFolderShortcut(const std::string& location, const TShortcuts& shortcuts)
    {
        RecordFolders(location, shortcuts);
        AddLink(shortcuts.FolderPath(location) + shortcuts.ProgramName + ".lnk");
    }

    TUninstallRecord& record_;
    const TEarlierInstallation& earlier_;
    std::vector<std::string> newFolders_;  // of the entry, deepest first
    std::vector<std::string> links_;       // of the entry
};

}  // namespace

std::vector<std::string> FolderChain(const std::string& folder)
{
    std::vector<std::string> names;
    std::string rest = folder;
    while (!rest.empty()) {
        std::string name = SplitFirst(rest, '\\');
        if (!name.empty()) names.push_back(std::move(name));
    }
    std::vector<std::string> chain;
    std::string path;
    for (const std::string& name : names) {
        path = path.empty() ? name : path + "\\" + name;
        chain.insert(chain.begin(), path);
    }
    return chain;
}

std::vector<std::string> CreateProgramFolders(const TStringList& entries, const TInstallChoices& choices,
                                              const std::string& installDir, TShortcuts& shortcuts,
                                              TUninstallRecord& record, const TEarlierInstallation& earlier,
                                              TInstallProgress& progress, TProgressSteps& steps,
                                              TInstallJournal& journal)
{
    std::vector<std::string> unsaved;
    TShortcutRecorder recorder(record, earlier);
    progress.SetCaption(ilLabel2, "Creating Folders");
    progress.ProcessMessages();
    std::size_t firstRow = 0;
    for (const std::string& entry : entries) {
        steps.Step();
        progress.ProcessMessages();
        LoadEntry(entry, choices, firstRow, installDir, shortcuts);
        recorder.Record(shortcuts);
        recorder.Journal(journal);
        progress.SetCaption(ilLabel1, "Folders: " + shortcuts.ProgramName);
        const std::vector<std::string> missing = recorder.RecordMade(shortcuts.CreateShortcuts(), progress);
        unsaved.insert(unsaved.end(), missing.begin(), missing.end());
        progress.ProcessMessages();
        firstRow += 3;
    }
    return unsaved;
}
