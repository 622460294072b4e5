#include "bootstrap/Unzip1.h"

#include "state/Global.h"
#include "bootstrap/SupportFilePath.h"
#include "port/FileSystem.h"
#include "segment/SegNaming.h"
#include "shell/FileRoutines.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <utility>

namespace {

constexpr const char* kCaption = "ZUV2000 - Setup";
constexpr const char* kStandby = "Tarvelo is De-Compressing files needed to Setup the Wizard. Please Standby.";
constexpr int kDiskRequests = 2;

}  // namespace

TUNZIP::TUNZIP(TLoadSetupConfig loadSetupConfig, TSegInteraction* interaction, HWND owner)
    : TForm(fsDialog, kCaption, owner),
      Label1(*this, 1, kStandby),
      ProgressBar1(*this, 2),
      loadSetupConfig_(std::move(loadSetupConfig)),
      dialogs_(*this)
{
    // A single border with no system menu: the user cannot close the window while it expands.
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) & ~WS_SYSMENU);
    SetClientSize(341, 71);
    Label1.Font().SetName("MS Sans Serif");
    Label1.Font().SetHeight(-11);
    Label1.SetAutoSize(false);
    Label1.SetWordWrap(true);
    Label1.SetBounds(16, 8, 313, 33);
    ProgressBar1.SetBounds(16, 48, 313, 17);
    ProgressBar1.SetRange(0, 100);

    SegCompEZ1.MakeDirectories = false;
    SegCompEZ1.ExceptionOnFileError = false;
    SegCompEZ1.Key = 0;
    SegCompEZ1.CheckSpaceBeforeExpand = false;
    SegCompEZ1.SetSegBaseName("disk");
    SegCompEZ1.SetSegDir("a:\\");
    SegCompEZ1.SegPopUp = false;
    SegCompEZ1.SetSegSize(1440000);
    SegCompEZ1.SetSegTmpDir("\\windows\\temp");
    SegCompEZ1.SegBuildMode = bmRecursive;
    SegCompEZ1.SegCompType = coLZH5;
    SegCompEZ1.SegMultiArc = true;
    SegCompEZ1.OnSegBefore = [this](TSegMode m, const std::string& name, std::uint16_t n) {
        SegCompEZ1SegBefore(m, name, n);
    };
    SegCompEZ1.OnCheckFile = [this](std::string& path, TCProcessMode mode) { SegCompEZ1CheckFile(path, mode); };
    SegCompEZ1.Interaction = interaction != nullptr ? interaction : &dialogs_;
    OnShow = [this] { FormShow(); };
}

void TUNZIP::ExpandSupportFiles()
{
    Application::ProcessMessages();
    Global.ExpandFailed = false;
    SegCompEZ1.SetSegBaseName("disk");
    SegCompEZ1.SetSegDir(Global.SourceDir);
    SegCompEZ1.SetSegTmpDir(Global.SegmentTempDir);
    ClearArcs();
    try {
        CreateDirectoryPath(Global.TempDir);
        CreateDirectoryPath(Global.SegmentTempDir);
        SegCompEZ1.SegExpand();
        loadSetupConfig_(Global.TempDir);
        ClearArcs();
        Global.ExpandFailed = false;
        Close();
    } catch (...) {
        // Whatever went wrong, the user learns only that the expansion failed.
        ShowMessage("Error Expanding Files!!");
        ClearArcs();
        Application::Terminate();
        Global.ExpandFailed = true;
    }
}

void TUNZIP::ClearArcs()
{
    SegCompEZ1.SegArcList.ClearArcs();
    SegCompEZ1.SegSource.clear();
}

void TUNZIP::SegCompEZ1SegBefore(TSegMode /*SegMode*/, const std::string& /*SegName*/, std::uint16_t SegNumber)
{
    Application::ProcessMessages();
    AskForDisk(SegNumber);
    if (SegNumber == 1) {
        // The number of files to install sizes the progress bar.
        loadSetupConfig_(Global.SourceDir);
        ProgressBar1.SetRange(0, static_cast<int>(Global.InstallFiles.size()) + 2);
        ProgressBar1.SetPosition(0);
        Application::ProcessMessages();
        CopySetupFiles();
    }
    Application::ProcessMessages();
}

// Asks at most twice; a disk still missing then leads to the segment reader's own dialog. The file is
// named as the reader names it, so that segments past 999 are looked for where the reader looks.
void TUNZIP::AskForDisk(std::uint16_t SegNumber)
{
    const std::string expected = Global.SourceDir + SegFileNameFor(SegCompEZ1.SegBaseName(), "", SegNumber);
    for (int asked = 0; asked < kDiskRequests && !port::FileExists(expected); ++asked)
        ShowMessage("Please Insert Disk #" + std::to_string(SegNumber) + " into Floppy Drive.");
}

void TUNZIP::CopySetupFiles()
{
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) {
        CopyFileTo(Global.SourceDir + name, Global.TempDir);
        Advance();
    }
}

void TUNZIP::SegCompEZ1CheckFile(std::string& filepath, TCProcessMode /*mode*/)
{
    filepath = SupportFilePath(Global.TempDir, filepath);
    Advance();
}

void TUNZIP::Advance()
{
    ProgressBar1.SetPosition(ProgressBar1.Position() + 1);
    Application::ProcessMessages();
}

void TUNZIP::FormShow()
{
    Application::ProcessMessages();
    UpdateWindow(Handle());
    Application::ProcessMessages();
    Repaint();
    Application::ProcessMessages();
}
