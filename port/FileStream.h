#pragma once
// A stream over a file on disk, opened with the share mode the caller names.
#include <cstdint>
#include <string>

#include "port/DosDateTime.h"
#include "port/Stream.h"

enum class FileMode {
    OpenRead,           // read only, other writers denied
    OpenReadExclusive,  // read only, every other opener denied
    OpenReadWrite,      // read and write an existing file, every other opener denied
    Create              // create or replace (never a read-only file), then read and write, every other opener denied
};

class FileStream : public Stream {
public:
    // Raises EFOpenError (EFCreateError for Create) naming the path.
    FileStream(const std::string& path, FileMode mode);
    ~FileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override;

    // Last-write time as a packed MS-DOS date and time in local time (date in the high word). A value
    // that names no real day or time is refused with EInOutError, and the file keeps its date.
    void SetDosDateTime(std::uint32_t dosDateTime);
    // The last-write time packed; one the packed form cannot hold gives the nearest it can.
    std::uint32_t DosDateTime();
    port::TLocalTime LastWriteTime();

    const std::string& Path() const { return path_; }
#ifdef _WIN32
    // The system's handle, for the calls that take one (a signature is verified through it).
    void* SystemHandle() const
    {
        return handle_;
    }
#endif

private:
    std::string path_;
#ifdef _WIN32
    void* handle_;
#else
    int fd_;
#endif
};
