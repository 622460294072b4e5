#include "shell/RestartRemoval.h"

#include <windows.h>

#include <cstring>

#include "config/TextFields.h"

namespace {

std::string Key(std::string path)
{
    while (!path.empty() && path.back() == '\\') path.pop_back();
    CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

bool IsDotName(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

void TRestartRemoval::ScheduleFilesLeft(const std::string& dir, const std::string& pattern)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((dir + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) Schedule(dir + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void TRestartRemoval::ScheduleDirectoryIfOnlyScheduledLeft(const std::string& dir)
{
    const std::string base = WithTrailingBackslash(dir);
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    bool onlyScheduled = true;
    do {
        if (!IsDotName(found.cFileName) && !IsScheduled(base + found.cFileName)) onlyScheduled = false;
    } while (onlyScheduled && FindNextFileA(search, &found));
    FindClose(search);
    if (onlyScheduled) Schedule(base);
}

bool TRestartRemoval::IsScheduled(const std::string& path) const
{
    return scheduled_.count(Key(path)) != 0;
}

void TRestartRemoval::Schedule(const std::string& path)
{
    if (IsScheduled(path)) return;
    std::string name = path;
    while (name.size() > 3 && name.back() == '\\') name.pop_back();
    if (MoveFileExA(name.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) scheduled_.insert(Key(name));
}
