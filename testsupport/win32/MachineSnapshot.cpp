#include "testsupport/win32/MachineSnapshot.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string_view>

namespace {

using Items = std::map<std::string, std::string>;

std::string Hex(const unsigned char* bytes, std::size_t size)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t index = 0; index < size; ++index) {
        text += kDigits[bytes[index] >> 4];
        text += kDigits[bytes[index] & 0x0F];
    }
    return text;
}

std::string WindowsDirectory()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\";
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return std::string(path) + "\\";
}

// The 64-bit Program Files folder when this is a 32-bit program on 64-bit Windows, else "".
std::string NativeProgramFiles()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("ProgramW6432", path, MAX_PATH);
    const std::string folder = length > 0 && length < MAX_PATH ? std::string(path) + "\\" : "";
    return folder == ShellFolder(CSIDL_PROGRAM_FILES) ? "" : folder;
}

std::string Upper(std::string text)
{
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Every file and directory below dir (only those right in it without recursive); directories by their attributes,
// files by size, time and attributes.
void AddTree(const std::string& dir, Items& items, bool recursive = true)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = dir + name;
        char attributes[16];
        std::snprintf(attributes, sizeof attributes, "%08lx",
                      found.dwFileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            items["dir " + Upper(path)] = attributes;
            if (recursive) AddTree(path + "\\", items);
            continue;
        }
        const unsigned long long size =
            (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        const unsigned long long written =
            (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
            found.ftLastWriteTime.dwLowDateTime;
        items["file " + Upper(path)] =
            std::to_string(size) + " bytes, written " + std::to_string(written) + ", attributes " + attributes;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Wine's own copy of the system parameters, which it writes again whenever a program first draws, and the code
// pages of its font cache, which it writes whenever a program of another code page (a UTF-8 one) starts: the
// machine's state, not anything a program did.
bool IsSystemScratch(const std::string& name)
{
    return name.rfind("HKCU\\SOFTWARE\\WINE\\TEMPORARY SYSTEM PARAMETERS", 0) == 0 ||
           name.rfind("HKCU\\SOFTWARE\\WINE\\FONTS", 0) == 0;
}

// A 32-bit program on 64-bit Windows: its HKEY_LOCAL_MACHINE\Software is the 32-bit view, and the 64-bit view and
// Program Files are apart.
bool IsWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The 32-bit view seen from the 64-bit one: the walk of the program's own view has it.
bool IsOtherView(const std::string& name)
{
    return name.rfind("HKLM64\\SOFTWARE\\WOW6432NODE", 0) == 0;
}

// data is the buffer for the values, shared by the whole walk: the registry holds tens of thousands of keys. view is
// 0, or KEY_WOW64_64KEY for the 64-bit view, named "HKLM64".
void AddKey(HKEY root, const std::string& rootName, const std::string& path, Items& items,
            std::vector<unsigned char>& data, REGSAM view = 0)
{
    if (IsSystemScratch(rootName + "\\" + Upper(path)) || IsOtherView(rootName + "\\" + Upper(path))) return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
    const std::string name = rootName + "\\" + Upper(path);
    items["key " + name] = "";
    for (DWORD index = 0;; ++index) {
        char valueName[16384];
        DWORD nameLength = sizeof valueName;
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result = RegEnumValueA(key, index, valueName, &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size);
            --index;
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        items["value " + name + "|" + Upper(std::string(valueName, nameLength))] =
            "type " + std::to_string(type) + ": " + Hex(data.data(), size);
    }
    std::vector<std::string> subkeys;
    for (DWORD index = 0;; ++index) {
        char subkey[256];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key, index, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(subkey, length);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys) AddKey(root, rootName, path + "\\" + subkey, items, data, view);
}

// The NUL-separated strings the profile API lists.
std::vector<std::string> ProfileList(const std::vector<char>& buffer, DWORD length)
{
    std::vector<std::string> strings;
    std::string_view rest(buffer.data(), length);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        if (end > 0) strings.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return strings;
}

void AddIniFile(const std::string& path, Items& items)
{
    std::vector<char> buffer(1 << 20);
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    for (const std::string& section : ProfileList(buffer, length)) {
        const std::string name = "ini " + Upper(path) + " [" + Upper(section) + "]";
        items[name] = "";
        std::vector<char> lines(1 << 20);
        const DWORD size =
            GetPrivateProfileSectionA(section.c_str(), lines.data(), static_cast<DWORD>(lines.size()), path.c_str());
        for (const std::string& line : ProfileList(lines, size)) {
            const std::size_t equals = line.find('=');
            items[name + " " + Upper(line.substr(0, equals))] =
                equals == std::string::npos ? "" : line.substr(equals + 1);
        }
    }
}

void AddIniFiles(const std::string& dir, Items& items)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((dir + "*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) AddIniFile(dir + found.cFileName, items);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

MachineSnapshot MachineSnapshot::Take(const std::string& destination)
{
    return TakeWithin(destination,
                      {{HKEY_LOCAL_MACHINE, "Software"},
                       {HKEY_CURRENT_USER, "Software"},
                       {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment"}});
}

MachineSnapshot MachineSnapshot::TakeWithin(const std::string& destination, const std::vector<RegistryPlace>& keys)
{
    MachineSnapshot snapshot;
    Items& items = snapshot.items_;
    for (const std::string& dir :
         {ShellFolder(CSIDL_PROGRAM_FILES), NativeProgramFiles(), ShellFolder(CSIDL_STARTMENU),
          ShellFolder(CSIDL_DESKTOPDIRECTORY), ShellFolder(CSIDL_COMMON_STARTMENU),
          ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY),
          WindowsDirectory() + "Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\",
          ShellFolder(CSIDL_APPDATA) + "Microsoft\\Internet Explorer\\Quick Launch\\", destination})
        if (!dir.empty()) AddTree(dir, items);
    std::vector<unsigned char> data(1 << 16);
    for (const auto& [root, path] : keys) {
        AddKey(root, root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU", path, items, data);
        if (root == HKEY_LOCAL_MACHINE && IsWow64()) AddKey(root, "HKLM64", path, items, data, KEY_WOW64_64KEY);
    }
    AddIniFiles(WindowsDirectory(), items);
    // A 64-bit product's system files: the 32-bit tests reach the 64-bit system folder only by this name.
    if (IsWow64()) AddTree(WindowsDirectory() + "Sysnative\\", items, false);
    return snapshot;
}

std::vector<std::string> MachineSnapshot::DifferencesTo(const MachineSnapshot& later) const
{
    std::vector<std::string> differences;
    for (const auto& [what, how] : items_) {
        const auto found = later.items_.find(what);
        if (found == later.items_.end())
            differences.push_back("- " + what);
        else if (found->second != how)
            differences.push_back("~ " + what + ": " + how + " -> " + found->second);
    }
    for (const auto& [what, how] : later.items_)
        if (!items_.contains(what)) differences.push_back("+ " + what);
    return differences;
}
