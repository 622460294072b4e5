#include "bootstrap/OwnProgram.h"

#include <windows.h>

#include <vector>

#include "payload/FileRangeStream.h"
#include "payload/ImageTrust.h"
#include "payload/PayloadError.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/MemoryStream.h"
#include "shell/SignatureCheck.h"

namespace {

TOwnProgram* current = nullptr;

// The headers of the image the loader mapped: what was started, whatever lies at its name now.
TImageIdentity RunningIdentity()
{
    const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const std::vector<unsigned char> headers(base, base + nt->OptionalHeader.SizeOfHeaders);
    MemoryStream stream(headers);
    return ReadImageIdentity(stream, "the running program");
}

}  // namespace

TOwnProgram::TOwnProgram()
{
    try {
        path_ = port::ProgramFile();
        file_ = std::make_unique<FileStream>(path_, FileMode::OpenRead);
    } catch (const std::exception& error) {
        problem_ = error.what();
    }
    current = this;
}

TOwnProgram::~TOwnProgram()
{
    if (current == this) current = nullptr;
}

TOwnProgram* TOwnProgram::Current()
{
    return current;
}

void TOwnProgram::Check()
{
    if (checked_) return;
    checked_ = true;
    if (!problem_.empty()) return;
    try {
        problem_ = ImageTrustProblem(RunningIdentity(), ReadPeLayout(*file_, path_).Identity, path_,
                                     [this] { return SignatureProblem(file_->SystemHandle(), path_); });
    } catch (const std::exception& error) {
        problem_ = error.what();
    }
}

Stream& TOwnProgram::File()
{
    Check();
    if (!problem_.empty()) throw EPayloadError(problem_);
    return *file_;
}

void TOwnProgram::CopyRangeTo(std::int64_t offset, std::int64_t size, const std::string& target)
{
    TFileRangeStream in(File(), path_, offset, size);
    FileStream out(target, FileMode::Create);
    std::vector<char> buffer(1 << 16);
    for (std::size_t n; (n = in.Read(buffer.data(), buffer.size())) > 0;) out.WriteBuffer(buffer.data(), n);
}

void TOwnProgram::CopyTo(const std::string& target)
{
    CopyRangeTo(0, File().Size(), target);
}
