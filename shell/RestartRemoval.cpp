#include "shell/RestartRemoval.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/PathIdentity.h"

namespace {

bool IsDotName(const std::string& name)
{
    return name == "." || name == "..";
}

std::string RunningProgram()
{
    try {
        return port::ProgramFile();
    } catch (const EInOutError&) {
        return {};
    }
}

// Deleted, or in use: a read-only file loses the attribute first, since the key that names it is the
// installation's claim on it.
bool DeleteOrFindInUse(const std::string& path, DWORD attributes)
{
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(port::SystemPath(path).c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (DeleteFileW(port::SystemPath(path).c_str())) return false;
    return GetLastError() == ERROR_SHARING_VIOLATION || PathIdentity(path) == PathIdentity(RunningProgram());
}

}  // namespace

std::vector<TFileRemoval> TRestartRemoval::DeleteMatchingFiles(const std::string& dir, const std::string& pattern)
{
    std::vector<TFileRemoval> removals;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(port::SystemPath(dir + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return removals;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
        removals.push_back(Remove(dir + port::Narrowed(found.cFileName), found.dwFileAttributes));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removals;
}

TFileRemoval TRestartRemoval::RemoveFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(port::SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {path, rmDeleted};
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) return {path, rmKept};
    return Remove(path, attributes);
}

TFileRemoval TRestartRemoval::Remove(const std::string& path, DWORD attributes)
{
    TRemoval result = rmDeleted;
    if (DeleteOrFindInUse(path, attributes))
        result = Schedule(path) ? rmAtRestart : rmKept;
    else if (GetFileAttributesW(port::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        result = rmKept;
    return {path, result};
}

bool TRestartRemoval::ScheduleDirectoryIfOnlyScheduledLeft(const std::string& dir)
{
    const std::string base = WithTrailingBackslash(dir);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(port::SystemPath(base + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool onlyScheduled = true;
    do {
        const std::string name = port::Narrowed(found.cFileName);
        if (!IsDotName(name) && !IsScheduled(base + name)) onlyScheduled = false;
    } while (onlyScheduled && FindNextFileW(search, &found));
    FindClose(search);
    return onlyScheduled && Schedule(base);
}

bool TRestartRemoval::IsScheduled(const std::string& path) const
{
    return scheduled_.count(PathIdentity(path)) != 0;
}

bool TRestartRemoval::Schedule(const std::string& path)
{
    if (IsScheduled(path)) return true;
    std::string name = path;
    while (name.size() > 3 && name.back() == '\\') name.pop_back();
    if (!MoveFileExW(port::SystemPath(name).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
    scheduled_.insert(PathIdentity(name));
    return true;
}
