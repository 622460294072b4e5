#include "port/FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "port/Exception.h"
#include "port/posix/NativePath.h"

namespace {

// Posix has no share modes; advisory locks between our own openers stand in for them:
// readers that deny writers share a lock, everyone else holds it alone.
int LockFor(FileMode mode)
{
    return (mode == FileMode::OpenRead ? LOCK_SH : LOCK_EX) | LOCK_NB;
}

int FlagsFor(FileMode mode)
{
    switch (mode) {
    case FileMode::OpenRead:
    case FileMode::OpenReadExclusive: return O_RDONLY;
    case FileMode::OpenReadWrite: return O_RDWR;
    case FileMode::Create: return O_RDWR | O_CREAT;
    }
    return O_RDONLY;
}

std::string Reason() { return std::strerror(errno); }

}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path)
{
    fd_ = ::open(port::NativePath(path).c_str(), FlagsFor(mode) | O_CLOEXEC, 0666);
    const bool creating = mode == FileMode::Create;
    if (fd_ < 0) {
        if (creating) throw EFCreateError(path);
        throw EFOpenError(path);
    }
    struct stat st {};
    const bool isDirectory = ::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode);
    if (isDirectory || ::flock(fd_, LockFor(mode)) != 0 || (creating && ::ftruncate(fd_, 0) != 0)) {
        ::close(fd_);
        if (creating) throw EFCreateError(path);
        throw EFOpenError(path);
    }
}

FileStream::~FileStream() { ::close(fd_); }

std::size_t FileStream::Read(void* buffer, std::size_t count)
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EInOutError("Cannot read " + path_ + ": " + Reason());
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t FileStream::Write(const void* buffer, std::size_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, in + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EInOutError("Cannot write " + path_ + ": " + Reason());
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::int64_t FileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t at = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (at < 0) throw EInOutError("Cannot seek in " + path_ + ": " + Reason());
    return at;
}

std::int64_t FileStream::Size()
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw EInOutError("Cannot read the size of " + path_ + ": " + Reason());
    return st.st_size;
}

void FileStream::SetDosDateTime(std::uint32_t dosDateTime)
{
    const std::optional<port::TLocalTime> time = port::UnpackDosDateTime(dosDateTime);
    if (!time) throw EInOutError("Invalid file date for " + path_);
    std::tm local{};
    local.tm_year = time->Year - 1900;
    local.tm_mon = time->Month - 1;
    local.tm_mday = time->Day;
    local.tm_hour = time->Hour;
    local.tm_min = time->Minute;
    local.tm_sec = time->Second;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    if (when == -1) throw EInOutError("Invalid file date for " + path_);
    const timespec times[2] = {{when, 0}, {when, 0}};
    if (::futimens(fd_, times) != 0) throw EInOutError("Cannot set the date of " + path_ + ": " + Reason());
}

std::uint32_t FileStream::DosDateTime() { return port::PackDosDateTime(LastWriteTime()); }

port::TLocalTime FileStream::LastWriteTime()
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw EInOutError("Cannot read the date of " + path_ + ": " + Reason());
    std::tm local{};
    const std::time_t when = st.st_mtime;
    if (::localtime_r(&when, &local) == nullptr) throw EInOutError("Cannot read the date of " + path_);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}
