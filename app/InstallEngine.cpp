#include "app/InstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "app/Destinations.h"
#include "app/DirectoryLedger.h"
#include "app/RegistryStep.h"
#include "app/ShortcutStep.h"
#include "app/SystemDirs.h"
#include "app/UninstallKey.h"
#include "app/UninstallRecord.h"
#include "config/TextFields.h"
#include "port/Exception.h"
#include "shell/FileRoutines.h"

namespace {

class TInstallRun {
public:
    TInstallRun(TGlobal& global, const TInstallChoices& choices, TInstallProgress& progress)
        : global_(global),
          choices_(choices),
          progress_(progress),
          installDir_(WithTrailingBackslash(choices.InstallDir)),
          record_(installDir_),
          steps_(progress),
          systemDirs_(SystemDirs())
    {
    }

    void Run()
    {
        progress_.ShowStageMark(isFiles);
        OpenRecord();
        ClearRegistryEntries(global_.RegistryEntries, progress_);
        steps_.Start(ProgressMaximum());
        AddSupportFiles();
        global_.DestinationFiles = ResolveDestinations(global_.InstallFiles, installDir_);
        InstallDestinations();
        RecordInstallDirectory();
        CopyPicture(global_.InstallSettings.LogoFile);
        CopyPicture(global_.InstallSettings.BitMapFile);

        progress_.ShowStageMark(isFolders);
        progress_.ProcessMessages();
        TShortcuts shortcuts;
        CreateProgramFolders(global_.ShortcutEntries, choices_, installDir_, shortcuts, record_, progress_, steps_);

        progress_.ShowStageMark(isRegistry);
        TRegistryWriter(record_, progress_, steps_).WriteRegistryEntries(global_.RegistryEntries);
        WriteUninstallKey(choices_.Title, installDir_, progress_);
        record_.SetTitle(choices_.Title);
        progress_.SetCaption(ilLabel2, "Finished");
    }

private:
    // The directory is made first, so the record never fails for want of it.
    void OpenRecord()
    {
        ledger_.Create(installDir_);
        record_.Open();
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

    bool OwnsWhole(const std::string& dir) const
    {
        return ledger_.Owns(dir) && std::find(systemDirs_.begin(), systemDirs_.end(), dir) == systemDirs_.end();
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
                DeleteFileA((global_.TempDir + name).c_str());
        }
    }

    void InstallFile(const std::string& destination, const std::string& dir, const std::string& name)
    {
        progress_.SetCaption(ilDest1, "Installing : " + name);
        progress_.ProcessMessages();
        ledger_.Create(dir);
        if (OwnsWhole(dir))
            record_.AddDirectoryFiles(dir);
        else
            record_.AddFile(destination);
        CopySkippingUnopenable(global_.TempDir + name, dir);
    }

    void CreateDirectoryEntry(const std::string& dir)
    {
        progress_.SetCaption(ilDest1, "Creating Directories .. ");
        progress_.ProcessMessages();
        ledger_.Create(dir);
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
        CopySkippingUnopenable(global_.TempDir + name, installDir_);
        if (!OwnsWhole(installDir_)) record_.AddFile(installDir_ + name);
    }

    // A file whose source cannot be opened or whose copy cannot be created is skipped without a message;
    // a later duplicate destination relies on that. A copy that fails part-way (a full disk) stops the run
    // with the system's message naming the file: going on to "Finished" would hide the missing file.
    static void CopySkippingUnopenable(const std::string& source, const std::string& dir)
    {
        try {
            CopyFileTo(source, dir);
        } catch (const EFOpenError&) {
        } catch (const EFCreateError&) {
        }
    }

    TGlobal& global_;
    const TInstallChoices& choices_;
    TInstallProgress& progress_;
    const std::string installDir_;
    TUninstallRecord record_;
    TProgressSteps steps_;
    TDirectoryLedger ledger_;
    const std::array<std::string, 4> systemDirs_;
};

}  // namespace

bool DestinationRepeatsLater(const TStringList& destinations, std::size_t index, const std::string& path)
{
    return index < destinations.size() && std::find(destinations.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                                                    destinations.end(), path) != destinations.end();
}

void RunInstallation(TGlobal& global, const TInstallChoices& choices, TInstallProgress& progress)
{
    TInstallRun(global, choices, progress).Run();
}
