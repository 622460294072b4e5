#include "bootstrap/SingleFileSource.h"

#include <windows.h>

#include "bootstrap/OwnProgram.h"
#include "payload/CarriedProgram.h"
#include "payload/PayloadError.h"
#include "payload/PayloadSegments.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/ScratchFolder.h"

namespace {

TSingleFileSource* current = nullptr;

const std::vector<std::string> kStagedMembers = {"install.cfg", "finstall.cfg", "setup.exe"};

// The folder the staged files go to: one of this run's own below the user's temporary folder.
std::string StageDirectory()
{
    std::wstring temp(MAX_PATH + 1, L'\0');
    DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
    if (length > temp.size()) {
        temp.resize(length);
        length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
    }
    temp.resize(length < temp.size() ? length : 0);
    const std::string base = !temp.empty() ? port::Narrowed(temp) : port::CurrentDir() + "\\";
    return CreateScratchFolder(base + "setup-" + std::to_string(GetCurrentProcessId()) + "\\");
}

}  // namespace

TSingleFileSource::TSingleFileSource(bool installing)
{
    TOwnProgram* own = installing ? TOwnProgram::Current() : nullptr;
    if (own == nullptr) return;
    program_ = own->Path();
    try {
        // The file proves to be the running image before its payload is looked at.
        file_ = &own->File();
        payload_ = LocatePayload(*file_, program_);
        if (!payload_) return;
    } catch (const EPayloadError& error) {
        // A payload cut short or damaged, or a file that is not the program started: the expansion reports it
        // as every failure to expand.
        problem_ = error.what();
    } catch (const std::exception&) {
        return;  // a program that cannot read itself runs as one beside its disks
    }
    Stage(*own);
    current = this;
}

TSingleFileSource::~TSingleFileSource()
{
    if (current != this) return;
    current = nullptr;
    try {
        port::SetCurrentDir(startDir_);
        if (!stageDir_.empty()) RemoveScratchFolder(stageDir_, kStagedMembers);
    } catch (const std::exception&) {
        // The staged files stay in the run's own folder; the run itself is over.
    }
}

TSingleFileSource* TSingleFileSource::Current()
{
    return current;
}

// A member that cannot be written is left out: the expansion then fails on the payload and says so.
void TSingleFileSource::Stage(TOwnProgram& own)
{
    startDir_ = port::CurrentDir();
    try {
        stageDir_ = StageDirectory();
        port::SetCurrentDir(stageDir_);
        if (!payload_) return;
        for (const std::string& name : kStagedMembers)
            if (const TPayloadEntry* entry = payload_->Find(name)) {
                if (name != "setup.exe") {
                    own.CopyRangeTo(entry->Offset, entry->Size, stageDir_ + name);
                    continue;
                }
                const std::vector<unsigned char> program = RebuildCarriedProgram(*file_, *entry, program_);
                FileStream(stageDir_ + name, FileMode::Create).WriteBuffer(program.data(), program.size());
            }
        segments_ = std::make_unique<TPayloadSegments>(*file_, program_, *payload_);
    } catch (const std::exception& error) {
        if (problem_.empty()) problem_ = error.what();
    }
}

void TSingleFileSource::Check() const
{
    if (!problem_.empty()) throw EPayloadError(problem_);
    CheckPayloadCrc(*file_, *payload_, program_);
    for (const std::string& name : kStagedMembers)
        if (payload_->Find(name) == nullptr) throw EPayloadError(program_ + " is damaged: its payload has no " + name);
}
