#include "app/install/InstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>

#include "app/install/DirectoryLedger.h"
#include "app/install/EarlierInstallation.h"
#include "app/install/EarlierLeftovers.h"
#include "app/install/EntriesBefore.h"
#include "app/install/FilePlacement.h"
#include "app/install/InstallJournal.h"
#include "app/install/JournalUndo.h"
#include "app/install/RegistryStep.h"
#include "app/install/ShortcutStep.h"
#include "app/install/UninstallKey.h"
#include "app/install/UninstallRecord.h"
#include "app/product/Destinations.h"
#include "app/record/FileKeyRules.h"
#include "app/record/ProtectedPlaces.h"
#include "app/record/UninstallRecordReader.h"
#include "config/PictureTwin.h"
#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "settings/RegistryView.h"
#include "shell/Elevation.h"
#include "shell/FileRoutines.h"
#include "shell/PathIdentity.h"
#include "shell/PendingRenames.h"
#include "shell/ShellFolders.h"

namespace {

// How the record names the installation's scope.
const char* ScopeName(TInstallScope scope)
{
    return scope == isUser ? "user" : scope == isMachine ? "machine" : "";
}

std::uint64_t FileSizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(port::SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

class TInstallRun {
public:
    TInstallRun(TGlobal& global, const TInstallChoices& choices, TInstallProgress& progress)
        : global_(global),
          choices_(choices),
          progress_(progress),
          installDir_(WithTrailingBackslash(choices.InstallDir)),
          journal_(choices.EntryKey()),
          record_(installDir_),
          steps_(progress),
          systemDirs_(SystemDirsOf(WindowsDir())),
          places_(TProtectedPlaces::OfThisMachine()),
          earlier_(installDir_, choices.EntryKey()),
          before_(global.RegistryEntries)
    {
    }

    // Whatever stops the run, what it changed is undone before the error goes on, with what was not put back.
    TInstallOutcome Run()
    {
        try {
            Steps();
        } catch (const std::exception& error) {
            throw Exception(UndoneMessage(error.what(), UndoJournal(choices_.EntryKey())));
        } catch (...) {
            UndoJournal(choices_.EntryKey());
            throw;
        }
        journal_.Commit();
        return outcome_;
    }

private:
    // Before anything is installed: the undo that follows removes only the scratch folder.
    void RefuseWhatThisWindowsCannotTake() const
    {
        if (global_.InstallSettings.Product64 && !IsWow64())
            throw Exception(Concat({choices_.Title, " is a 64-bit program: it cannot be installed on 32-bit Windows"}));
        if (choices_.Scope != isUser && !RunsElevated())
            throw Exception(Concat({"Installing ", choices_.Title, " for everyone needs an administrator's rights"}));
    }

    void Steps()
    {
        journal_.ScratchFolder(global_.TempDir, global_.TempFiles);
        RefuseWhatThisWindowsCannotTake();
        if (!earlier_.Dir().empty())
            progress_.Log(Concat({"Upgrading the installation of ", choices_.EntryKey(), " in ", earlier_.Dir()}));
        progress_.ShowStageMark(isFiles);
        OpenRecord();
        ClearRegistryEntries(global_.RegistryEntries, earlier_, progress_, journal_);
        steps_.Start(ProgressMaximum());
        AddSupportFiles();
        global_.DestinationFiles = ResolveDestinations(global_.InstallFiles, installDir_);
        KeepDestinationsFromPendingRemoval();
        InstallDestinations();
        RecordInstallDirectory();
        for (const std::string& picture : {global_.InstallSettings.LogoFile, global_.InstallSettings.BitMapFile}) {
            CopyPicture(picture);
            // The larger twin, when the product shipped one, for the uninstaller on a screen above 96 DPI.
            if (!picture.empty() && port::FileExists(global_.TempDir + LargerTwinName(picture)))
                CopyPicture(LargerTwinName(picture));
        }

        progress_.ShowStageMark(isFolders);
        progress_.ProcessMessages();
        TShortcuts shortcuts;
        for (const std::string& link : CreateProgramFolders(global_.ShortcutEntries, choices_, installDir_, shortcuts,
                                                            record_, earlier_, progress_, steps_, journal_))
            NotePlacement(link, plRefused);

        progress_.ShowStageMark(isRegistry);
        TRegistryWriter(record_, earlier_, before_, progress_, steps_, journal_)
            .WriteRegistryEntries(global_.RegistryEntries);
        const TEntryFacts entry = EntryFacts();
        // A user's first entry makes the user's list of entries: it goes again with the product's.
        const std::string entries = UninstallKeyPath("");
        const TKeyPath list{entry.Root, entries.substr(0, entries.size() - 1)};
        if (!RawKeyExists(list.Root, list.Path)) record_.AddCreatedKey(KeyPathText(list));
        WriteUninstallKey(entry, progress_, journal_);
        record_.SetTitle(choices_.Title, choices_.EntryKey());
        record_.SetPlaces(ScopeName(choices_.Scope), global_.InstallSettings.Product64);
        if (!earlier_.Dir().empty())
            RemoveEarlierLeftovers(earlier_.Record(), ReadUninstallRecord(installDir_), journal_, progress_);
        progress_.SetCaption(ilLabel2, "Finished");
    }

    TEntryFacts EntryFacts() const
    {
        const TInstallSettings& settings = global_.InstallSettings;
        const std::string& icon = settings.DisplayIcon.empty() ? settings.LaunchApplication : settings.DisplayIcon;
        std::uint64_t bytes = 0;
        for (const auto& [path, size] : placed_) bytes += size;
        return {choices_.EntryKey(),
                choices_.Title,
                installDir_,
                settings.ProductVersion,
                settings.Publisher,
                icon.empty() ? installDir_ + "setup.exe" : ExpandPathMacros(icon, installDir_),
                settings.HelpLink,
                settings.AboutLink,
                bytes,
                choices_.Scope == isUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE};
    }

    // The directory is made first, so the record never fails for want of it. The earlier record goes aside, where
    // an undo finds it; a read-only one stays and stops the run, as one that cannot be deleted does.
    void OpenRecord()
    {
        CreateDirectory(installDir_);
        const std::string& path = record_.Path();
        if (port::FileExists(path) &&
            ((GetFileAttributesW(port::SystemPath(path).c_str()) & FILE_ATTRIBUTE_READONLY) != 0 ||
             !journal_.MoveAside(path)))
            throw Exception("Unable to write to " + path);
        journal_.FileToCreate(path);
        record_.Open();
    }

    void CreateDirectory(const std::string& dir)
    {
        for (const std::string& created : ledger_.Create(dir, journal_))
            progress_.Log(Concat({"Created directory ", created}));
    }

    int ProgressMaximum() const
    {
        const std::size_t count = 2 * global_.DestinationFiles.size() + global_.ShortcutEntries.size() +
                                  global_.RegistryEntries.size() + global_.AutoexecEntries.size();
        return static_cast<int>(std::min<std::size_t>(count, 0x7FFFFFFF));
    }

    void AddSupportFiles()
    {
        for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"})
            global_.InstallFiles.push_back("Installation Directory," + global_.TempDir + name);
    }

    // Made by this run, or recorded whole by the earlier installation, and none of what no installation may
    // own (the uninstaller would refuse to empty it).
    bool OwnsWhole(const std::string& dir) const
    {
        return (ledger_.Owns(dir) || earlier_.OwnsDirectory(dir)) &&
               std::find(systemDirs_.begin(), systemDirs_.end(), dir) == systemDirs_.end() &&
               places_.RefusalOfFolder(dir).empty();
    }

    // A reinstallation before the restart that an uninstallation asked for: the files and directories
    // that restart would delete, or replace with an older staged copy, are this run's again.
    void KeepDestinationsFromPendingRemoval()
    {
        if (choices_.Scope == isUser) return;  // the list is the machine's: a user's installation leaves it alone
        std::set<std::string> paths;
        for (const std::string& destination : global_.DestinationFiles)
            for (std::string path = destination; !IsRootDirectory(path); path = DirectoryPart(PathIdentity(path)))
                paths.insert(PathIdentity(path));
        journal_.ValueToWrite({HKEY_LOCAL_MACHINE, kPendingRenamesKey}, kPendingRenamesValue);
        const std::vector<TPendingRename> withdrawn = WithdrawPendingRenames([&](const TPendingRename& rename) {
            return paths.contains(PathIdentity(rename.Target.empty() ? rename.Source : rename.Target));
        });
        for (const TPendingRename& rename : withdrawn)
            if (!rename.Target.empty() && port::FileExists(rename.Source)) journal_.MoveAside(rename.Source);
    }

    void InstallDestinations()
    {
        const TStringList& destinations = global_.DestinationFiles;
        for (std::size_t index = 0; index < destinations.size(); ++index) {
            const std::string& destination = destinations[index];
            const std::string name = FileNamePart(destination);
            const std::string dir = DirectoryPart(destination);
            steps_.Step();
            if (name.empty()) {
                CreateDirectoryEntry(dir);
                continue;
            }
            InstallFile(destination, dir, name);
            if (DestinationRepeatsLater(destinations, index, destination))
                DeleteFileW(port::SystemPath(global_.TempDir + name).c_str());
        }
    }

    // A directory of the product's is recorded whole before the copy; in any other the file is recorded only
    // once this run has put it there.
    void InstallFile(const std::string& destination, const std::string& dir, const std::string& name)
    {
        progress_.SetCaption(ilDest1, "Installing : " + name);
        progress_.ProcessMessages();
        CreateDirectory(dir);
        const bool ownsWhole = OwnsWhole(dir);
        if (ownsWhole) record_.AddDirectoryFiles(dir);
        const std::uint64_t size = FileSizeOf(global_.TempDir + name);
        const TPlacement placement = PlaceFile(global_.TempDir + name, destination, journal_, choices_.Scope != isUser);
        if (!ownsWhole && (placement == plInstalled || placement == plAtRestart)) record_.AddFile(destination);
        NotePlacement(destination, placement, size);
    }

    // The same destination twice is copied once: the later one finds no source and is no news. A newer version
    // kept there is news once.
    void NotePlacement(const std::string& destination, TPlacement placement, std::uint64_t size = 0)
    {
        if (placement == plNoSource && (placed_.contains(destination) || kept_.contains(destination))) return;
        if (placement == plInstalled || placement == plAtRestart) {
            placed_[destination] = size;
            record_.AddPlacedFile(destination);
        }
        if (placement == plKeptNewer) kept_.insert(destination);
        outcome_.Note(destination, placement);
        progress_.Log(PlacementLine(destination, placement));
    }

    void CreateDirectoryEntry(const std::string& dir)
    {
        progress_.SetCaption(ilDest1, "Creating Directories .. ");
        progress_.ProcessMessages();
        CreateDirectory(dir);
        if (!OwnsWhole(dir)) return;
        record_.AddFolder(dir);
        record_.AddDirectoryFiles(dir);
    }

    void RecordInstallDirectory()
    {
        if (OwnsWhole(installDir_))
            record_.AddDirectoryFiles(installDir_);
        else
            record_.AddFile(record_.Path());
    }

    // The uninstaller shows its screen with the pictures from the install directory.
    void CopyPicture(const std::string& name)
    {
        if (name.empty()) return;
        const std::string destination = installDir_ + name;
        const std::uint64_t size = FileSizeOf(global_.TempDir + name);
        const TPlacement placement = PlaceFile(global_.TempDir + name, destination, journal_, choices_.Scope != isUser);
        if (!OwnsWhole(installDir_) && (placement == plInstalled || placement == plAtRestart))
            record_.AddFile(destination);
        NotePlacement(destination, placement, size);
    }

    TGlobal& global_;
    const TInstallChoices& choices_;
    TInstallProgress& progress_;
    const std::string installDir_;
    TInstallJournal journal_;
    TUninstallRecord record_;
    TProgressSteps steps_;
    TDirectoryLedger ledger_;
    const std::vector<std::string> systemDirs_;
    const TProtectedPlaces places_;
    const TEarlierInstallation earlier_;
    const TEntriesBefore before_;
    TInstallOutcome outcome_;
    std::map<std::string, std::uint64_t> placed_;  // destinations this run has put in place, with their sizes
    std::set<std::string> kept_;                    // destinations where a newer version stays
};

}  // namespace

bool DestinationRepeatsLater(const TStringList& destinations, std::size_t index, const std::string& path)
{
    return index < destinations.size() && std::find(destinations.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                                                    destinations.end(), path) != destinations.end();
}

TInstallOutcome RunInstallation(TGlobal& global, const TInstallChoices& choices, TInstallProgress& progress)
{
    const TRegistryViewScope productsView(global.InstallSettings.Product64 ? KEY_WOW64_64KEY : 0);
    // A killed run of the product is undone before this one looks at what an earlier installation left.
    const std::string undone = InterruptedRunMessage(choices.Title, UndoJournal(choices.EntryKey()));
    if (!undone.empty()) progress.Log(undone);
    return TInstallRun(global, choices, progress).Run();
}
