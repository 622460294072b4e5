#include "app/UninstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "app/FileKeyRules.h"
#include "app/KeyPath.h"
#include "app/RegistryRemoval.h"
#include "app/UninstallRecordReader.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/FileRoutines.h"
#include "shell/RestartRemoval.h"
#include "shell/ShellFolders.h"
#include "ui/Registry.h"

namespace {

enum TStage { stFiles = 1, stDirectories, stFolders, stRegistry };

constexpr const char* kUninstallKeyPrefix = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

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

        const TUninstallRecord record = ReadUninstallRecord(request.UninstallDir);
        if (record.Files.empty()) {
            view_.ShowStatus("Unable to Find uninstall.cfg!!");
            view_.ProcessMessages();
        } else {
            RemoveAll(record);
        }

        view_.SetRemoveCaption("Close");
        view_.SetRemoveEnabled(true);
        view_.ShowSummary("All Files,Folders and Icons Removed");
        view_.ProcessMessages();
        DeleteUninstallKey(request.UninstallTitle);
        view_.Close();
    }

private:
    void RemoveAll(const TUninstallRecord& record)
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
        for (const std::string& value : record.RegistryValues) RemoveRecordedValue(value);
        for (const std::string& iniKey : record.IniKeys) RemoveRecordedIniKey(iniKey);
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
        if (path && MayDelete(key, *path)) {
            ShowStatus("Deleteing " + FileNamePart(key));
            DeleteMatchingFiles(DirectoryPart(*path), FileNamePart(*path));
            leftovers_.ScheduleFilesLeft(DirectoryPart(*path), FileNamePart(*path));
        } else {
            ShowStatus("Skipping " + FileNamePart(key));
        }
        Advance();
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

    void RemoveDirectoryOf(const std::string& key)
    {
        ShowStatus("Removing " + DirectoryPart(key));
        const std::optional<std::string> path = RemovableFileKey(key, systemDirs_);
        if (path) RemoveEmptyDirectory(DirectoryPart(*path));
        Advance();
    }

    void RemoveFolder(const std::string& folder)
    {
        ShowStatus("Removing " + folder);
        if (IsAbsolutePath(folder)) RemoveEmptyDirectory(WithTrailingBackslash(folder));
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
