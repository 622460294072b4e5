#include "app/uninstall/UninstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "app/uninstall/RegistryRemoval.h"
#include "app/record/UninstallRecordReader.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/PendingRenames.h"
#include "shell/RestartRemoval.h"
#include "shell/ShellFolders.h"
#include "ui/Registry.h"

namespace {

enum TStage { stFiles = 1, stDirectories, stFolders, stRegistry };

constexpr const char* kUninstallKeyPrefix = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

// The pattern the installation records a directory of its own with.
bool IsAllFiles(const std::string& pattern)
{
    return pattern == "*.*" || pattern == "*";
}

class TUninstaller {
public:
    explicit TUninstaller(TUninstallView& view) : view_(view), systemDirs_(SystemDirsOf(WindowsDir())) {}

    void Run(const TUninstallRequest& request)
    {
        view_.ShowStageMark(stFiles);
        if (request.NothingToUninstall) {
            view_.Close();
            return;
        }
        view_.SetStageBold(stFiles, true);
        view_.ProcessMessages();
        view_.SetRemoveEnabled(false);

        const TUninstallRecordContents record = ReadUninstallRecord(request.UninstallDir);
        if (record.Files.empty()) {
            view_.ShowStatus("Unable to Find uninstall.cfg!!");
            view_.ProcessMessages();
        } else {
            RemoveAll(record);
        }

        view_.SetRemoveCaption("Close");
        view_.SetRemoveEnabled(true);
        // A record that is not there removed nothing: the entry stays, so that the user can try again once
        // the installation's folder can be reached.
        if (record.Found) {
            view_.ShowSummary("All Files,Folders and Icons Removed");
            view_.ProcessMessages();
            DeleteUninstallKey(request.UninstallTitle);
        }
        view_.ProcessMessages();
        view_.Close();
    }

private:
    void RemoveAll(const TUninstallRecordContents& record)
    {
        view_.SetProgressRange(static_cast<int>(2 * record.Files.size()));
        view_.SetProgressPosition(0);
        for (const std::string& key : record.Files) RemoveFileKey(key);

        EnterStage(stDirectories);
        for (const std::string& key : record.Files) RemoveDirectoryOf(key);

        EnterStage(stFolders);
        view_.ProcessMessages();
        for (const std::string& folder : record.Folders) RemoveFolder(folder);
        RemoveDirectoriesLeft();

        EnterStage(stRegistry);
        view_.ProcessMessages();
        for (const std::string& key : record.RegistryKeys) EraseKeyPath(key);
        for (const TRecordedValue& value : record.RegistryValues) RemoveRecordedValue(value);
        for (const TRecordedIniKey& iniKey : record.IniKeys) RemoveRecordedIniKey(iniKey);
        for (const TRecordedIniSection& section : record.IniSections) RemoveEmptyIniSection(section);
        RemoveCreatedKeys(record.CreatedKeys);
    }

    // Deepest first, so that a parent the installation created goes once its children have.
    static void RemoveCreatedKeys(std::vector<std::string> keys)
    {
        std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
            return KeyDepth(ParseKeyPath(a)) > KeyDepth(ParseKeyPath(b));
        });
        for (const std::string& key : keys) RemoveEmptyCreatedKey(key);
    }

    void EnterStage(TStage stage)
    {
        view_.ShowStageMark(stage);
        view_.SetStageBold(stage - 1, false);
        view_.SetStageBold(stage, true);
    }

    void RemoveFileKey(const std::string& key)
    {
        const std::optional<std::string> path = RemovableFileKey(key, systemDirs_);
        if (path && MayDelete(key, *path) && !CancelPendingReplacement(*path)) {
            ShowStatus("Deleteing " + FileNamePart(key));
            leftovers_.DeleteMatchingFiles(DirectoryPart(*path), FileNamePart(*path));
        } else {
            ShowStatus("Skipping " + FileNamePart(key));
        }
        Advance();
    }

    // A file the installation found in use waits beside it for the restart. Until then the file there is
    // still what it was before the installation: the replacement is called off and the waiting copy
    // deleted, and a single file stays (true). A directory the installation owns is emptied all the same.
    static bool CancelPendingReplacement(const std::string& path)
    {
        const bool pattern = IsAllFiles(FileNamePart(path));
        const std::vector<TPendingRename> withdrawn = WithdrawPendingRenames([&](const TPendingRename& rename) {
            if (rename.Target.empty()) return false;
            return pattern ? PathIdentity(DirectoryPart(rename.Target)) == PathIdentity(DirectoryPart(path))
                           : PathIdentity(rename.Target) == PathIdentity(path);
        });
        for (const TPendingRename& rename : withdrawn) DeleteFileA(rename.Source.c_str());
        return !pattern && !withdrawn.empty();
    }

    bool MayDelete(const std::string& key, const std::string& path)
    {
        if (yesToAll_ || !IsSystemFileKey(path, systemDirs_)) return true;
        switch (view_.Confirm("File Possible used by Windows.\r" + key + "\rDelete Anyway?")) {
            case caYes:
                return true;
            case caAll:
                yesToAll_ = true;
                return true;
            case caNo:
            case caNone:
                break;
        }
        return false;
    }

    // Only a directory the installation emptied whole is its own; a single file's directory was there
    // before it and stays, even when it is empty now.
    void RemoveDirectoryOf(const std::string& key)
    {
        ShowStatus("Removing " + DirectoryPart(key));
        const std::optional<std::string> path = RemovableFileKey(key, systemDirs_);
        if (path && IsAllFiles(FileNamePart(*path))) RemoveEmptyDirectory(DirectoryPart(*path));
        Advance();
    }

    void RemoveFolder(const std::string& folder)
    {
        ShowStatus("Removing " + folder);
        const std::optional<std::string> dir = ResolvedPath(folder);
        if (dir) RemoveEmptyDirectory(WithTrailingBackslash(*dir));
    }

    // A directory of Windows may be empty (Fonts on a fresh system) and must stay all the same.
    void RemoveEmptyDirectory(const std::string& dir)
    {
        if (IsSystemOrRootDirectory(dir, systemDirs_)) return;
        if (!RemoveDirectoryA(dir.c_str())) tried_.insert(dir);
    }

    // In record order a directory listed before its own subdirectory stays, and so would the install
    // directory above a removed subdirectory. Deepest first, such parents go too; what holds only
    // files in use is left to the next restart.
    void RemoveDirectoriesLeft()
    {
        std::vector<std::string> dirs(tried_.begin(), tried_.end());
        std::sort(dirs.begin(), dirs.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const std::string& dir : dirs) {
            if (!port::IsDirectory(dir) || RemoveDirectoryA(dir.c_str())) continue;
            leftovers_.ScheduleDirectoryIfOnlyScheduledLeft(dir);
        }
    }

    void ShowStatus(const std::string& text)
    {
        view_.ShowStatus(text);
        view_.ProcessMessages();
    }

    void Advance()
    {
        view_.SetProgressPosition(++position_);
        view_.ProcessMessages();
    }

    TUninstallView& view_;
    const std::vector<std::string> systemDirs_;
    TRestartRemoval leftovers_;
    std::set<std::string> tried_;  // directories that could not be removed in their pass
    bool yesToAll_ = false;
    int position_ = 0;
};

}  // namespace

void RunUninstall(const TUninstallRequest& request, TUninstallView& view)
{
    TUninstaller(view).Run(request);
}

bool DeleteUninstallKey(const std::string& title)
{
    if (title.empty() || title.find('\\') != std::string::npos) return false;
    return TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(kUninstallKeyPrefix + title);
}
