#pragma once
// The state the whole setup program shares, from the setup screen's creation to its end: where it
// runs, the scratch directories, the mode, the install plan and the settings of install.cfg.
#include <ctime>
#include <string>
#include <vector>

using TStringList = std::vector<std::string>;

// Whose an installation is. Unset keeps what an installation always was: its files and entry the machine's, its
// shortcuts the running user's. Ask is a setting only: the user's answer makes a run's scope Machine or User.
enum TInstallScope { isUnset, isMachine, isUser, isAsk };

// The scalar settings of section "Setup Screen" of install.cfg, with the defaults of a missing key.
struct TInstallSettings {
    std::string DisplayStyle = "Horiz In";
    std::string LogoPos = "Upper Right";
    std::string LogoFile;    // file-name part only; loaded from TempDir
    std::string BitMapFile;  // file-name part only; loaded from the configuration's directory
    bool RebootOption = false;
    bool RestartOption = false;
    std::string LaunchApplication;  // may begin with a path macro
    std::string MainDirectory = "ZUV";  // after a load: the registry-resolved value
    bool App16Bit = false;
    bool App32Bit = true;
    bool UnderProgramFiles = true;
    std::string DesktopFolder = "Applications";
    // What Windows shows of the installed product; empty when not configured.
    std::string ProductVersion;
    std::string Publisher;
    std::string ProductId;    // the uninstall entry's key when set, so every version shares one entry
    std::string DisplayIcon;  // a file of the installation, may begin with a path macro
    std::string HelpLink;
    std::string AboutLink;
    TInstallScope Scope = isUnset;  // "Install Scope"
    bool Product64 = false;         // "64-bit Product": 64-bit Program Files, registry view and system folder
};

struct TGlobal {
    std::string SourceDir;  // current directory at start, ending in "\"
    // WindowsDir + "\Temp\z2000_" + hhnnss + "\", the name the expansion tries first: it creates the folder
    // (shell/ScratchFolder.h), under another name when that one is taken, and puts that name here.
    std::string TempDir;
    std::string SegmentTempDir;  // SourceDir when uninstalling, else TempDir: the segment reader's scratch files
    TStringList TempFiles;       // the names of the files this run wrote into TempDir, which it deletes at the end
    bool UninstallMode = false;
    bool ExpandFailed = false;

    // The install plan. Element formats are described with ReadSetupConfig (app/product/SetupConfig.h).
    TStringList InstallFiles;
    TStringList AutoexecEntries;
    TStringList RegistryEntries;
    TStringList ShortcutEntries;
    TStringList DestinationFiles;
    TStringList LaunchFiles;

    TInstallSettings InstallSettings;
    TInstallScope Scope = isUnset;  // this run's: the setting, or the answer when it asks
};

extern TGlobal Global;

// Fills Global for a run started in currentDir at the time now (only its time of day counts);
// creates nothing on disk. The plan lists start empty.
void InitGlobals(const std::string& currentDir, const std::tm& now, bool uninstallMode);
// The same for this process: its current directory, the local time, Global.UninstallMode.
void InitGlobals();
// Releases the plan lists.
void FreeGlobals();
