#include "app/ProductLock.h"

#include "config/TextFields.h"

namespace {

// A mutex name may not hold "\" but after its namespace; titles compare without regard to letter case.
std::string MutexName(const std::string& title)
{
    std::string name = UpperCase(title);
    for (char& c : name)
        if (c == '\\') c = '/';
    return "Local\\SetupRun:" + name;
}

}  // namespace

TProductLock::TProductLock(const std::string& title)
{
    mutex_ = CreateMutexA(nullptr, TRUE, MutexName(title).c_str());
    held_ = mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

TProductLock::~TProductLock()
{
    if (mutex_ == nullptr) return;
    if (held_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}
