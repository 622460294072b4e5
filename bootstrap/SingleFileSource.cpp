#include "bootstrap/SingleFileSource.h"

#include <windows.h>

#include "payload/FileRangeStream.h"
#include "payload/PayloadError.h"
#include "payload/PayloadSegments.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"

namespace {

TSingleFileSource* current = nullptr;

const char* const kStagedMembers[] = {"install.cfg", "finstall.cfg", "setup.exe"};

std::string StageDirectory()
{
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    const std::string base = length > 0 && length <= MAX_PATH ? std::string(temp, length) : port::CurrentDir() + "\\";
    return base + "setup-" + std::to_string(GetCurrentProcessId()) + "\\";
}

void CopyRange(const std::string& program, const TPayloadEntry& entry, const std::string& target)
{
    TFileRangeStream in(program, entry.Offset, entry.Size);
    FileStream out(target, FileMode::Create);
    std::string buffer(1 << 16, '\0');
    for (std::size_t n; (n = in.Read(buffer.data(), buffer.size())) > 0;) out.WriteBuffer(buffer.data(), n);
}

}  // namespace

TSingleFileSource::TSingleFileSource(bool installing)
{
    if (!installing) return;
    try {
        program_ = port::ProgramFile();
        FileStream file(program_, FileMode::OpenRead);
        payload_ = LocatePayload(file, program_);
        if (!payload_) return;
    } catch (const EPayloadError& error) {
        // A payload cut short or damaged: the expansion reports it as every failure to expand.
        problem_ = error.what();
    } catch (const std::exception&) {
        return;  // a program that cannot read itself runs as one beside its disks
    }
    Stage();
    current = this;
}

TSingleFileSource::~TSingleFileSource()
{
    if (current != this) return;
    current = nullptr;
    try {
        port::SetCurrentDir(startDir_);
        for (const char* name : kStagedMembers)
            if (port::FileExists(stageDir_ + name)) port::EraseFile(stageDir_ + name);
        port::RemoveDir(stageDir_);
    } catch (const std::exception&) {
        // A file still in use stays in the temporary folder; the run itself is over.
    }
}

TSingleFileSource* TSingleFileSource::Current()
{
    return current;
}

// A member that cannot be written is left out: the expansion then fails on the payload and says so.
void TSingleFileSource::Stage()
{
    startDir_ = port::CurrentDir();
    stageDir_ = StageDirectory();
    try {
        if (!port::IsDirectory(stageDir_)) port::MakeDir(stageDir_);
        port::SetCurrentDir(stageDir_);
        if (!payload_) return;
        for (const char* name : kStagedMembers)
            if (const TPayloadEntry* entry = payload_->Find(name)) CopyRange(program_, *entry, stageDir_ + name);
        segments_ = std::make_unique<TPayloadSegments>(program_, *payload_);
    } catch (const std::exception& error) {
        if (problem_.empty()) problem_ = error.what();
    }
}

void TSingleFileSource::Check() const
{
    if (!problem_.empty()) throw EPayloadError(problem_);
    FileStream file(program_, FileMode::OpenRead);
    CheckPayloadCrc(file, *payload_, program_);
    for (const char* name : kStagedMembers)
        if (payload_->Find(name) == nullptr) throw EPayloadError(program_ + " is damaged: its payload has no " + name);
}
