#include "app/uninstall/UninstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "app/record/ProtectedPlaces.h"
#include "app/record/RecordFormat.h"
#include "app/record/RegistryRemoval.h"
#include "app/record/UninstallRecordReader.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "settings/RegistryView.h"
#include "shell/PathIdentity.h"
#include "shell/PendingRenames.h"
#include "shell/RestartRemoval.h"
#include "shell/ShellFolders.h"

namespace {

enum TStage { stFiles = 1, stDirectories, stFolders, stRegistry };

constexpr std::size_t kWarnedKeys = 20;  // a warning names at most this many kept keys, the log all of them

std::string RemovalLine(const TFileRemoval& removal)
{
    switch (removal.Result) {
        case rmDeleted:
            return Concat({"Deleted ", removal.Path});
        case rmAtRestart:
            return Concat({"In use, removed when Windows restarts: ", removal.Path});
        case rmKept:
            break;
    }
    return Concat({"Could not delete ", removal.Path});
}

// The pattern the installation records a directory of its own with.
bool IsAllFiles(const std::string& pattern)
{
    return pattern == "*.*" || pattern == "*";
}

class TUninstaller {
public:
    explicit TUninstaller(TUninstallView& view)
        : view_(view), systemDirs_(SystemDirsOf(WindowsDir())), places_(TProtectedPlaces::OfThisMachine())
    {
    }

    bool Run(const TUninstallRequest& request)
    {
        view_.ShowStageMark(stFiles);
        if (request.NothingToUninstall) {
            view_.Close();
            return false;
        }
        view_.SetStageBold(stFiles, true);
        view_.ProcessMessages();
        view_.SetRemoveEnabled(false);

        const TUninstallRecordContents record = ReadUninstallRecord(request.UninstallDir);
        const TRegistryViewScope recordsView(record.View64 ? KEY_WOW64_64KEY : 0);  // where its keys were written
        if (record.Files.empty()) {
            view_.ShowStatus("Unable to Find uninstall.cfg!!");
            view_.Log(record.Found ? Concat({"The record ", request.UninstallDir, RecordFileName, " lists no files"})
                                   : Concat({"No record found: ", request.UninstallDir, RecordFileName}));
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
            if (request.Entry && DeleteUninstallEntry(*request.Entry)) {
                view_.Log(Concat({"Deleted the uninstall entry ", request.Entry->Text()}));
                RemoveCreatedKeys(record.CreatedKeys);  // the list of entries the installation made for its own
            }
        }
        WarnOfRefusedKeys();
        view_.ProcessMessages();
        view_.Close();
        return record.Found;
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
        for (const std::string& key : record.RegistryKeys) {
            if (IsSharedKey(ParseKeyPath(key)))
                Refuse(key, "no installation owns this key whole");
            else if (EraseKeyPath(key))
                view_.Log(Concat({"Deleted key ", key}));
        }
        for (const TRecordedValue& value : record.RegistryValues)
            if (RemoveRecordedValue(value)) view_.Log(Concat({"Deleted value ", value.KeyPath, " [", value.Name, "]"}));
        for (const TRecordedIniKey& key : record.IniKeys)
            if (RemoveRecordedIniKey(key))
                view_.Log(Concat({"Deleted INI key ", key.File, " [", key.Section, "] ", key.Key}));
        for (const TRecordedIniSection& section : record.IniSections)
            if (RemoveEmptyIniSection(section))
                view_.Log(Concat({"Deleted INI section ", section.File, " [", section.Section, "]"}));
        RemoveCreatedKeys(record.CreatedKeys);
    }

    // Deepest first, so that a parent the installation created goes once its children have.
    void RemoveCreatedKeys(std::vector<std::string> keys)
    {
        std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
            return KeyDepth(ParseKeyPath(a)) > KeyDepth(ParseKeyPath(b));
        });
        for (const std::string& key : keys)
            if (RemoveEmptyCreatedKey(key)) view_.Log(Concat({"Deleted key ", key}));
    }

    void EnterStage(TStage stage)
    {
        view_.ShowStageMark(stage);
        view_.SetStageBold(stage - 1, false);
        view_.SetStageBold(stage, true);
    }

    // A key is kept, and named at the end, when it names what no installation may own.
    void Refuse(const std::string& key, const std::string& why)
    {
        view_.Log(Concat({"Refused ", key, ": ", why}));
        refused_.push_back(key);
    }

    bool IsRefused(const std::string& key) const
    {
        return std::find(refused_.begin(), refused_.end(), key) != refused_.end();
    }

    void WarnOfRefusedKeys()
    {
        if (refused_.empty()) return;
        std::string message = "These entries of the uninstall record were kept: no installation may own them.";
        for (std::size_t index = 0; index < refused_.size() && index < kWarnedKeys; ++index)
            message += "\r" + refused_[index];
        if (refused_.size() > kWarnedKeys) message += "\r...";
        view_.Warn(message);
    }

    void RemoveFileKey(const std::string& key)
    {
        const std::string refusal = places_.RefusalOfFileKey(key);
        if (!refusal.empty()) {
            ShowStatus("Skipping " + FileNamePart(key));
            Refuse(key, refusal);
            Advance();
            return;
        }
        const std::optional<std::string> path = RemovableFileKey(key, systemDirs_);
        if (path && MayDelete(key, *path) && !CancelPendingReplacement(*path)) {
            ShowStatus("Deleteing " + FileNamePart(key));
            for (const TFileRemoval& removal :
                 leftovers_.DeleteMatchingFiles(DirectoryPart(*path), FileNamePart(*path)))
                view_.Log(RemovalLine(removal));
        } else {
            ShowStatus("Skipping " + FileNamePart(key));
            view_.Log(Concat({"Kept ", key}));
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
        for (const TPendingRename& rename : withdrawn) DeleteFileW(port::SystemPath(rename.Source).c_str());
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
        if (path && IsAllFiles(FileNamePart(*path)) && !IsRefused(key)) RemoveEmptyDirectory(DirectoryPart(*path));
        Advance();
    }

    void RemoveFolder(const std::string& folder)
    {
        ShowStatus("Removing " + folder);
        const std::string refusal = places_.RefusalOfFolder(folder);
        const std::optional<std::string> dir = ResolvedPath(folder);
        if (!refusal.empty())
            Refuse(folder, refusal);
        else if (dir)
            RemoveEmptyDirectory(WithTrailingBackslash(*dir));
    }

    // A directory of Windows may be empty (Fonts on a fresh system) and must stay all the same; a link is
    // someone's way to a folder elsewhere, which RemoveDirectory would cut.
    void RemoveEmptyDirectory(const std::string& dir)
    {
        if (IsSystemOrRootDirectory(dir, systemDirs_)) return;
        if (const std::string refusal = places_.RefusalOfFolder(dir); !refusal.empty()) {
            view_.Log(Concat({"Kept directory ", dir, ": ", refusal}));
            return;
        }
        if (RemoveDirectoryW(port::SystemPath(dir).c_str()))
            view_.Log("Removed directory " + dir);
        else
            tried_.insert(dir);
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
            if (!port::IsDirectory(dir)) continue;
            if (RemoveDirectoryW(port::SystemPath(dir).c_str()))
                view_.Log("Removed directory " + dir);
            else if (leftovers_.ScheduleDirectoryIfOnlyScheduledLeft(dir))
                view_.Log("Removed when Windows restarts: " + dir);
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
    const TProtectedPlaces places_;
    std::vector<std::string> refused_;  // keys kept because no installation may own what they name
    TRestartRemoval leftovers_;
    std::set<std::string> tried_;  // directories that could not be removed in their pass
    bool yesToAll_ = false;
    int position_ = 0;
};

}  // namespace

bool RunUninstall(const TUninstallRequest& request, TUninstallView& view)
{
    return TUninstaller(view).Run(request);
}
