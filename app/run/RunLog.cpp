#include "app/run/RunLog.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"

namespace {

constexpr DWORD kNoPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

}  // namespace

std::string RefusalOfLogFile(const std::string& file, const TAttributesOf& attributesOf)
{
    const std::uint32_t attributes = attributesOf(file);
    if (StartsWithNoCase(file, "\\\\.\\") ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNoPlainFile) != 0))
        return Concat({"Cannot write the log ", file, ": it is no plain file (a folder, a link or a device)"});
    return "";
}

std::string TRunLog::Open(const std::string& file)
{
    if (std::string refusal = RefusalOfLogFile(file); !refusal.empty()) return refusal;
    try {
        file_ = std::make_unique<FileStream>(file, FileMode::Create);
    } catch (const Exception& error) {
        return Concat({"Cannot write the log ", file, ": ", error.what()});
    }
    if (GetFileType(file_->SystemHandle()) != FILE_TYPE_DISK) {
        file_.reset();
        return Concat({"Cannot write the log ", file, ": it is no plain file (a device)"});
    }
    path_ = file;
    return "";
}

void TRunLog::Resume()
{
    if (path_.empty() || !RefusalOfLogFile(path_).empty()) return;
    try {
        file_ = std::make_unique<FileStream>(path_, FileMode::OpenReadWrite);
        file_->Seek(0, SeekOrigin::End);
    } catch (const Exception&) {
        file_.reset();  // the other run's log stands on its own
    }
}

void TRunLog::Line(const std::string& text)
{
    if (!file_) return;
    const std::string line = text + "\r\n";
    try {
        file_->WriteBuffer(line.data(), line.size());
    } catch (const Exception&) {
        file_.reset();  // a full disk ends the log, not the run
    }
}
