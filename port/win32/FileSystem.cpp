#include "port/FileSystem.h"

#include <windows.h>

#include <cctype>
#include <iterator>

#include "port/Exception.h"
#include "port/win32/WideText.h"

namespace port {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw EInOutError(what + " " + path + " (error " + std::to_string(GetLastError()) + ")");
}

// The attribute bits a file may carry from an archive; the directory bit and the rest are not ours to set.
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

}  // namespace

std::string LastSystemError()
{
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   static_cast<DWORD>(std::size(text)), nullptr);
    std::string reason = Narrowed(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

bool FileExists(const std::string& path)
{
    const DWORD a = GetFileAttributesW(SystemPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDirectory(const std::string& path)
{
    const DWORD a = GetFileAttributesW(SystemPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void MakeDir(const std::string& path)
{
    if (!CreateDirectoryW(SystemPath(path).c_str(), nullptr)) Fail("Cannot create directory", path);
}

void RemoveDir(const std::string& path)
{
    if (!RemoveDirectoryW(SystemPath(path).c_str())) Fail("Cannot remove directory", path);
}

void EraseFile(const std::string& path)
{
    if (!DeleteFileW(SystemPath(path).c_str())) Fail("Cannot delete file", path);
}

void ApplyAttributes(const std::string& path, std::uint32_t attributes)
{
    DWORD value = attributes & kSettable;
    if (value == 0) value = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesW(SystemPath(path).c_str(), value)) Fail("Cannot set the attributes of", path);
}

std::uint32_t Attributes(const std::string& path)
{
    const DWORD a = GetFileAttributesW(SystemPath(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) Fail("Cannot read the attributes of", path);
    return a;
}

void CopyLastWriteTime(const std::string& from, const std::string& to)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE source =
        CreateFileW(SystemPath(from).c_str(), FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (source == INVALID_HANDLE_VALUE) Fail("Cannot read the date of", from);
    FILETIME written;
    const BOOL read = GetFileTime(source, nullptr, nullptr, &written);
    CloseHandle(source);
    if (!read) Fail("Cannot read the date of", from);
    HANDLE target =
        CreateFileW(SystemPath(to).c_str(), FILE_WRITE_ATTRIBUTES, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (target == INVALID_HANDLE_VALUE) Fail("Cannot set the date of", to);
    const BOOL set = SetFileTime(target, nullptr, nullptr, &written);
    CloseHandle(target);
    if (!set) Fail("Cannot set the date of", to);
}

std::int64_t FreeBytesOnDriveOf(const std::string& path)
{
    std::string root;
    if (path.size() >= 2 && path[1] == ':')
        root = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + ":\\";
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceW(root.empty() ? nullptr : Widened(root).c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &totalClusters))
        return -1;
    return static_cast<std::int64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

std::vector<DirEntry> ListDirectory(const std::string& dir)
{
    std::string pattern = dir;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != ':') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found;
    HANDLE handle = FindFirstFileW(SystemPath(pattern).c_str(), &found);
    std::vector<DirEntry> entries;
    if (handle == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;  // an empty drive root
        Fail("Cannot list directory", dir);
    }
    do {
        const std::string name = Narrowed(found.cFileName);
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(handle, &found));
    FindClose(handle);
    return entries;
}

std::string CurrentDir()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, dir.data());
    if (length == 0 || length >= size) Fail("Cannot read the current directory", "");
    dir.resize(length);
    return Narrowed(dir);
}

void SetCurrentDir(const std::string& path)
{
    if (!SetCurrentDirectoryW(Widened(path).c_str())) Fail("Cannot change to directory", path);
}

std::string ProgramFile()
{
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length == 0) Fail("Cannot read the running program's name", "");
        if (length < file.size()) {
            file.resize(length);
            // Started through an 8.3 path (a long installation's uninstall entry names one), it is still itself.
            return LongPathOf(Narrowed(file));
        }
        file.resize(file.size() * 2);  // cut short: the name is longer
    }
}

}  // namespace port
