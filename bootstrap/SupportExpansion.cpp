#include "bootstrap/SupportExpansion.h"

#include <exception>
#include <string_view>
#include <utility>

#include "bootstrap/OwnProgram.h"
#include "bootstrap/SingleFileSource.h"
#include "bootstrap/SupportFilePath.h"
#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "segment/SegNaming.h"
#include "shell/FileRoutines.h"
#include "shell/ScratchFolder.h"
#include "state/Global.h"

namespace {

constexpr int kDiskRequests = 2;

}  // namespace

TSupportExpansion::TSupportExpansion(TLoadSetupConfig loadSetupConfig, TExpansionHost& host)
    : loadSetupConfig_(std::move(loadSetupConfig)), host_(host)
{
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
    SegCompEZ1.Interaction = &host_.SegInteraction();
}

bool TSupportExpansion::Run()
{
    host_.ProcessMessages();
    Global.ExpandFailed = false;
    SegCompEZ1.SetSegBaseName("disk");
    SegCompEZ1.SetSegDir(Global.SourceDir);
    ClearArcs();
    try {
        Global.TempDir = CreateScratchFolder(Global.TempDir);
        Global.SegmentTempDir = Global.TempDir;
        SegCompEZ1.SetSegTmpDir(Global.SegmentTempDir);
        UseSingleFile();
        SegCompEZ1.SegExpand();
        if (!lastExpanded_.empty()) host_.Log(Concat({"Expanded ", lastExpanded_}));
        loadSetupConfig_(Global.TempDir);
        ClearArcs();
        return true;
    } catch (const std::exception& error) {
        host_.Log(Concat({"Error expanding the support files: ", error.what()}));
    } catch (...) {
        host_.Log("Error expanding the support files");
    }
    ClearArcs();
    Global.ExpandFailed = true;
    return false;
}

// A setup.exe that carries its segments is checked whole before anything is expanded from it.
void TSupportExpansion::UseSingleFile()
{
    const TSingleFileSource* single = TSingleFileSource::Current();
    if (single == nullptr) return;
    single->Check();
    SegCompEZ1.SegmentFiles = &single->Segments();
}

void TSupportExpansion::ClearArcs()
{
    SegCompEZ1.SegArcList.ClearArcs();
    SegCompEZ1.SegSource.clear();
}

void TSupportExpansion::SegCompEZ1SegBefore(TSegMode /*SegMode*/, const std::string& /*SegName*/,
                                            std::uint16_t SegNumber)
{
    host_.ProcessMessages();
    AskForDisk(SegNumber);
    if (SegNumber == 1) {
        // The number of files to install sizes the progress bar.
        loadSetupConfig_(Global.SourceDir);
        host_.SetProgressRange(static_cast<int>(Global.InstallFiles.size()) + 2);
        host_.SetProgressPosition(0);
        host_.ProcessMessages();
        CopySetupFiles();
    }
    host_.ProcessMessages();
}

// Asks at most twice; a disk still missing then leads to the segment reader's own question. The file is
// named as the reader names it, so that segments past 999 are looked for where the reader looks.
void TSupportExpansion::AskForDisk(std::uint16_t SegNumber)
{
    const std::string expected = Global.SourceDir + SegFileNameFor(SegCompEZ1.SegBaseName(), "", SegNumber);
    const auto present = [&] {
        return SegCompEZ1.SegmentFiles != nullptr ? SegCompEZ1.SegmentFiles->Exists(expected)
                                                  : port::FileExists(expected);
    };
    for (int asked = 0; asked < kDiskRequests && !present(); ++asked)
        host_.AskForDisk("Please Insert Disk #" + std::to_string(SegNumber) + " into Floppy Drive.");
}

// The uninstaller to be is this program itself, read through the one handle it holds on its file; a single
// file staged the bare setup.exe it carries, in a folder of its own. The configuration is the distribution's.
void TSupportExpansion::CopySetupFiles()
{
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) {
        Global.TempFiles.push_back(name);
        if (std::string_view(name) == "setup.exe" && TSingleFileSource::Current() == nullptr)
            CopyOwnProgram(Global.TempDir + name);
        else
            CopyFileTo(Global.SourceDir + name, Global.TempDir);
        host_.Log(Concat({"Copied ", Global.TempDir, name}));
        Advance();
    }
}

void TSupportExpansion::CopyOwnProgram(const std::string& target)
{
    TOwnProgram* own = TOwnProgram::Current();
    if (own == nullptr) throw Exception("The setup program's own file is not open");
    own->CopyTo(target);
}

void TSupportExpansion::SegCompEZ1CheckFile(std::string& filepath, TCProcessMode /*mode*/)
{
    if (!lastExpanded_.empty()) host_.Log(Concat({"Expanded ", lastExpanded_}));
    filepath = SupportFilePath(Global.TempDir, filepath);
    if (!filepath.empty()) Global.TempFiles.push_back(FileNamePart(filepath));
    lastExpanded_ = filepath;
    Advance();
}

void TSupportExpansion::Advance()
{
    host_.SetProgressPosition(host_.ProgressPosition() + 1);
    host_.ProcessMessages();
}
