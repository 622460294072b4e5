#pragma once
// What the components need of the file system, beyond streams. Paths use "\" on every platform.
#include <cstdint>
#include <string>
#include <vector>

namespace port {

// Win32 attribute bits that a file carries from an archive.
constexpr std::uint32_t faReadOnly = 0x01;
constexpr std::uint32_t faHidden = 0x02;
constexpr std::uint32_t faDirectory = 0x10;
constexpr std::uint32_t faArchive = 0x20;

bool FileExists(const std::string& path);   // a file, not a directory
bool IsDirectory(const std::string& path);

// Raise EInOutError naming the path when they fail.
void MakeDir(const std::string& path);
void RemoveDir(const std::string& path);
void EraseFile(const std::string& path);

// Applies read-only (and, on Windows, hidden, system, archive) to an existing file.
void ApplyAttributes(const std::string& path, std::uint32_t attributes);
std::uint32_t Attributes(const std::string& path);
// Sets the last-write time of the existing file to to exactly that of from.
void CopyLastWriteTime(const std::string& from, const std::string& to);

// Free bytes on the drive that holds path ("X:..." names the drive; otherwise the current one
// on Windows, the file system of path or its nearest existing parent elsewhere); -1 when unknown.
std::int64_t FreeBytesOnDriveOf(const std::string& path);

// True where the file system compares names without regard to case, so that folding a path's case
// cannot make it name another file.
#ifdef _WIN32
constexpr bool kPathsIgnoreCase = true;
#else
constexpr bool kPathsIgnoreCase = false;
#endif

struct DirEntry {
    std::string Name;
    bool IsDirectory = false;
};

// The files and subdirectories of dir, without "." and "..", in no particular order. Posix lists
// regular files (links to them too) and real directories only, so a walk cannot loop on a link.
// Raises EInOutError naming dir when it cannot be read.
std::vector<DirEntry> ListDirectory(const std::string& dir);

// The system's text for the last call that failed (GetLastError, errno), without a final full stop.
std::string LastSystemError();

std::string CurrentDir();
void SetCurrentDir(const std::string& path);

// The file of the running program as the system names it (links resolved on posix), so that a program
// finds what was installed with it wherever it was started from. Raises EInOutError when unknown.
std::string ProgramFile();

}  // namespace port
