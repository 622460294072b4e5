#include "shell/ShellFolders.h"

#include <shellapi.h>
#include <shlobj.h>

#include <array>

#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "settings/Registry.h"

namespace {

constexpr const char* kShellFoldersKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct TShellFolderName {
    const char* valueName;
    const char* belowWindows;  // where the folder is when the user's key does not say
};

constexpr std::array<TShellFolderName, 4> kShellFolders{{
    {"Desktop", "Desktop"},
    {"Programs", "Start Menu\\Programs"},
    {"Start Menu", "Start Menu"},
    {"Startup", "Start Menu\\Programs\\StartUp"},
}};

// A folder Windows names for this program's kind, ending in "\"; otherwise when it names none.
std::string KnownFolder(int csidl, const std::string& otherwise)
{
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK || path[0] == L'\0')
        return otherwise;
    return WithTrailingBackslash(port::Narrowed(path));
}

}  // namespace

std::string WindowsDir()
{
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);  // too small: length is the size needed, terminator included
    }
}

std::string SystemDrive()
{
    return WindowsDir().substr(0, 3);
}

std::string ProgramFilesDir()
{
    return KnownFolder(CSIDL_PROGRAM_FILES, SystemDrive() + "Program Files\\");
}

std::string SystemFolderDir()
{
    return KnownFolder(CSIDL_SYSTEMX86, WindowsDir() + "\\System32\\");
}

bool IsWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string ProgramFiles64Dir()
{
    if (!IsWow64()) return ProgramFilesDir();
    // A 32-bit program is told Program Files (x86) by every folder call; the 64-bit view keeps the other.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return SystemDrive() + "Program Files\\";
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path - sizeof path[0];
    const bool read =
        RegGetValueW(key, nullptr, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, path, &size) == ERROR_SUCCESS &&
        path[0] != L'\0';
    RegCloseKey(key);
    return read ? WithTrailingBackslash(port::Narrowed(path)) : SystemDrive() + "Program Files\\";
}

std::string NativeSystemDir()
{
    return WindowsDir() + (IsWow64() ? "\\Sysnative\\" : "\\System32\\");
}

std::string UserProgramsDir()
{
    return KnownFolder(CSIDL_LOCAL_APPDATA, KnownFolder(CSIDL_PROFILE, SystemDrive())) + "Programs\\";
}

std::string CommonShellFolderPath(TShellFolderKind kind)
{
    static constexpr std::array<int, 4> kCommon = {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS,
                                                   CSIDL_COMMON_STARTMENU, CSIDL_COMMON_STARTUP};
    return KnownFolder(kCommon.at(static_cast<std::size_t>(kind)), ShellFolderPath(kind));
}

std::string ShellFolderPath(TShellFolderKind kind)
{
    const TShellFolderName& folder = kShellFolders.at(static_cast<std::size_t>(kind));
    TRegistry registry(HKEY_CURRENT_USER);
    if (registry.OpenKeyReadOnly(kShellFoldersKey)) {
        // An empty path would put shortcuts into the root of the current drive: use the fallback.
        const std::string path = registry.ReadString(folder.valueName);
        if (!path.empty()) return WithTrailingBackslash(path);
    }
    return WindowsDir() + "\\" + folder.belowWindows + "\\";
}

int SmallIconIndex(const std::string& path)
{
    SHFILEINFOW info{};
    SHGetFileInfoW(port::Widened(path).c_str(), 0, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_SMALLICON);
    return info.iIcon;
}

HIMAGELIST SystemSmallIconList()
{
    SHFILEINFOW info{};
    const DWORD_PTR list = SHGetFileInfoW(port::Widened(SystemDrive()).c_str(), 0, &info, sizeof info,
                                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return reinterpret_cast<HIMAGELIST>(list);
}
