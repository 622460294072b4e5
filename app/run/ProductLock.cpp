#include "app/run/ProductLock.h"

#include <cstdint>

#include "app/record/UninstallEntries.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"

namespace {

// FNV-1a, 64 bits: names of one length whatever the title, and two products never share one by chance.
std::uint64_t Hash(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

std::string ProductLockName(const std::string& title)
{
    return "Global\\SetupRun-" + HexDigits(Hash(UpperCase(kUninstallKeyPrefix + title)), 16);
}

TProductLock::TProductLock(const std::string& title)
{
    mutex_ = CreateMutexA(nullptr, TRUE, ProductLockName(title).c_str());
    if (mutex_ == nullptr) {
        problem_ = Concat({"Cannot make the lock that keeps two runs of ", title, " apart: ", port::LastSystemError()});
        return;
    }
    held_ = GetLastError() != ERROR_ALREADY_EXISTS;
}

TProductLock::~TProductLock()
{
    if (mutex_ == nullptr) return;
    if (held_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}
