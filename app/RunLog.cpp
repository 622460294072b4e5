#include "app/RunLog.h"

#include "port/Exception.h"

bool TRunLog::Open(const std::string& file)
{
    try {
        file_ = std::make_unique<FileStream>(file, FileMode::Create);
    } catch (const Exception&) {
        return false;
    }
    return true;
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
