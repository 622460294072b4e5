#include "port/FileStream.h"

#include <windows.h>

#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"

namespace {

HANDLE Handle(void* handle) { return static_cast<HANDLE>(handle); }

bool IsReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(port::SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path)
{
    DWORD access = GENERIC_READ;
    DWORD share = 0;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
    case FileMode::OpenRead: share = FILE_SHARE_READ; break;
    case FileMode::OpenReadExclusive: break;
    case FileMode::OpenReadWrite: access |= GENERIC_WRITE; break;
    case FileMode::Create:
        access |= GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    }
    // Windows refuses to replace a read-only file; Wine run by root would replace it.
    if (mode == FileMode::Create && IsReadOnlyFile(path)) throw EFCreateError(path);
    handle_ = CreateFileW(port::SystemPath(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        if (mode == FileMode::Create) throw EFCreateError(path);
        throw EFOpenError(path);
    }
}

FileStream::~FileStream() { CloseHandle(Handle(handle_)); }

std::size_t FileStream::Read(void* buffer, std::size_t count)
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD n = 0;
        if (!ReadFile(Handle(handle_), out + done, static_cast<DWORD>(count - done), &n, nullptr))
            throw EInOutError("Cannot read " + path_ + ": " + port::LastSystemError());
        if (n == 0) break;
        done += n;
    }
    return done;
}

// A full disk may first take part of a block; writing the rest then fails with the system's reason.
std::size_t FileStream::Write(const void* buffer, std::size_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD n = 0;
        if (!WriteFile(Handle(handle_), in + done, static_cast<DWORD>(count - done), &n, nullptr))
            throw EInOutError("Cannot write " + path_ + ": " + port::LastSystemError());
        if (n == 0) throw EInOutError("Cannot write " + path_ + ": nothing was taken");
        done += n;
    }
    return done;
}

std::int64_t FileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN : origin == SeekOrigin::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER at;
    if (!SetFilePointerEx(Handle(handle_), distance, &at, method))
        throw EInOutError("Cannot seek in " + path_ + ": " + port::LastSystemError());
    return at.QuadPart;
}

std::int64_t FileStream::Size()
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(Handle(handle_), &size))
        throw EInOutError("Cannot read the size of " + path_ + ": " + port::LastSystemError());
    return size.QuadPart;
}

void FileStream::SetDosDateTime(std::uint32_t dosDateTime)
{
    if (!port::UnpackDosDateTime(dosDateTime)) throw EInOutError("Invalid file date for " + path_);
    FILETIME local;
    FILETIME utc;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF), &local) ||
        !LocalFileTimeToFileTime(&local, &utc) || !SetFileTime(Handle(handle_), nullptr, nullptr, &utc))
        throw EInOutError("Cannot set the date of " + path_ + ": " + port::LastSystemError());
}

std::uint32_t FileStream::DosDateTime() { return port::PackDosDateTime(LastWriteTime()); }

port::TLocalTime FileStream::LastWriteTime()
{
    FILETIME utc;
    FILETIME local;
    SYSTEMTIME t;
    if (!GetFileTime(Handle(handle_), nullptr, nullptr, &utc) || !FileTimeToLocalFileTime(&utc, &local) ||
        !FileTimeToSystemTime(&local, &t))
        throw EInOutError("Cannot read the date of " + path_ + ": " + port::LastSystemError());
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}
