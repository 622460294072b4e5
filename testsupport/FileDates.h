#pragma once
// A file's last-write time set and read in local time through the system's own calls (stat and
// utimensat, GetFileTime and SetFileTime), so that tests of dates do not lean on the code they test.
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <cstdio>
#include <ctime>
#include <ostream>
#include <string>

#include "testsupport/ScratchDir.h"

struct LocalDate {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    bool operator==(const LocalDate&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LocalDate& d)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
    return out << text;
}

#ifdef _WIN32

inline bool SetLastWrite(const std::string& path, const LocalDate& d)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wHour = static_cast<WORD>(d.hour);
    st.wMinute = static_cast<WORD>(d.minute);
    st.wSecond = static_cast<WORD>(d.second);
    FILETIME local;
    FILETIME utc;
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL set = SetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
    return set != FALSE;
}

inline LocalDate LastWrite(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    FILETIME utc;
    FILETIME local;
    SYSTEMTIME st{};
    const BOOL read = GetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
    if (!read || !FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return {};
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

#else

inline bool SetLastWrite(const std::string& path, const LocalDate& d)
{
    std::tm local{};
    local.tm_year = d.year - 1900;
    local.tm_mon = d.month - 1;
    local.tm_mday = d.day;
    local.tm_hour = d.hour;
    local.tm_min = d.minute;
    local.tm_sec = d.second;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    const timespec times[2] = {{when, 0}, {when, 0}};
    return ::utimensat(AT_FDCWD, ScratchDir::Native(path).c_str(), times, 0) == 0;
}

inline LocalDate LastWrite(const std::string& path)
{
    struct stat st {};
    if (::stat(ScratchDir::Native(path).c_str(), &st) != 0) return {};
    std::tm local{};
    const std::time_t when = st.st_mtime;
    localtime_r(&when, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

#endif
