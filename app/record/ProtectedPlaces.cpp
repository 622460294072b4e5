#include "app/record/ProtectedPlaces.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "app/record/CanonicalPath.h"
#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "settings/Registry.h"
#include "shell/PathIdentity.h"
#include "shell/ReparsePoints.h"
#include "shell/ShellFolders.h"

namespace {

constexpr const char* kProfileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// The folders Windows makes in every profile.
constexpr const char* kProfileFolders[] = {"Desktop",
                                           "Documents",
                                           "Downloads",
                                           "Music",
                                           "Pictures",
                                           "Videos",
                                           "Favorites",
                                           "Contacts",
                                           "Links",
                                           "Saved Games",
                                           "Searches",
                                           "OneDrive",
                                           "AppData",
                                           "AppData\\Roaming",
                                           "AppData\\Local",
                                           "AppData\\LocalLow",
                                           "AppData\\Local\\Temp",
                                           "AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
                                           "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
                                           "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup",
                                           "AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch",
                                           "My Documents",
                                           "Application Data",
                                           "Local Settings",
                                           "Start Menu"};

// The shell folders of the running user and of all users, wherever they were moved.
constexpr int kShellFolders[] = {CSIDL_DESKTOPDIRECTORY,
                                 CSIDL_PERSONAL,
                                 CSIDL_MYMUSIC,
                                 CSIDL_MYPICTURES,
                                 CSIDL_MYVIDEO,
                                 CSIDL_FAVORITES,
                                 CSIDL_APPDATA,
                                 CSIDL_LOCAL_APPDATA,
                                 CSIDL_STARTMENU,
                                 CSIDL_PROGRAMS,
                                 CSIDL_STARTUP,
                                 CSIDL_TEMPLATES,
                                 CSIDL_PROFILE,
                                 CSIDL_COMMON_APPDATA,
                                 CSIDL_COMMON_DESKTOPDIRECTORY,
                                 CSIDL_COMMON_DOCUMENTS,
                                 CSIDL_COMMON_STARTMENU,
                                 CSIDL_COMMON_PROGRAMS,
                                 CSIDL_COMMON_STARTUP,
                                 CSIDL_COMMON_TEMPLATES,
                                 CSIDL_COMMON_MUSIC,
                                 CSIDL_COMMON_PICTURES,
                                 CSIDL_COMMON_VIDEO,
                                 CSIDL_PROGRAM_FILES,
                                 CSIDL_PROGRAM_FILESX86,
                                 CSIDL_PROGRAM_FILES_COMMON,
                                 CSIDL_PROGRAM_FILES_COMMONX86};

std::string ShellFolder(int csidl)
{
    // The call writes through MAX_PATH UTF-16 units, which may take three times as many bytes in UTF-8.
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? port::Narrowed(path) : "";
}

std::string Environment(const char* name)
{
    const std::wstring wideName = port::Widened(name);
    std::wstring value(GetEnvironmentVariableW(wideName.c_str(), nullptr, 0), L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    return length > 0 && length < value.size() ? port::Narrowed(value.substr(0, length)) : "";
}

// Every profile Windows knows of, the profiles folder itself and the default and public profiles among them.
std::vector<std::string> Profiles()
{
    TRegistry registry(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kProfileList)) return {};
    std::vector<std::string> profiles = {registry.ReadString("ProfilesDirectory"), registry.ReadString("Default"),
                                         registry.ReadString("Public")};
    for (const std::string& sid : registry.GetKeyNames()) {
        TRegistry profile(HKEY_LOCAL_MACHINE);
        if (profile.OpenKeyReadOnly(std::string(kProfileList) + "\\" + sid))
            profiles.push_back(profile.ReadString("ProfileImagePath"));
    }
    std::erase(profiles, "");
    return profiles;
}

void AddCanonical(std::vector<std::string>& places, const std::string& path, TLongNames& names)
{
    if (path.empty()) return;
    if (const std::optional<std::string> canonical = CanonicalPath(path, names)) places.push_back(*canonical);
}

bool IsWithin(const std::string& canonical, const std::string& tree)
{
    return canonical == tree || (canonical.size() > tree.size() && canonical.compare(0, tree.size(), tree) == 0 &&
                                 canonical[tree.size()] == '\\');
}

}  // namespace

TProtectedPlaces::TProtectedPlaces(const std::vector<std::string>& folders, const std::vector<std::string>& trees)
{
    TLongNames names;
    for (const std::string& folder : folders) AddCanonical(folders_, folder, names);
    for (const std::string& tree : trees) AddCanonical(trees_, tree, names);
}

TProtectedPlaces TProtectedPlaces::OfThisMachine()
{
    std::vector<std::string> folders;
    for (const std::string& profile : Profiles()) {
        folders.push_back(profile);
        for (const char* name : kProfileFolders) folders.push_back(WithTrailingBackslash(profile) + name);
    }
    for (int csidl : kShellFolders) folders.push_back(ShellFolder(csidl));
    for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "CommonProgramFiles",
                             "CommonProgramW6432", "ProgramData", "PUBLIC", "ALLUSERSPROFILE"})
        folders.push_back(Environment(name));
    return TProtectedPlaces(folders, {WindowsDir()});
}

bool TProtectedPlaces::IsProtectedFolder(const std::string& canonical) const
{
    if (canonical.find('\\') == std::string::npos || IsRootDirectory(canonical + "\\")) return true;
    return std::find(folders_.begin(), folders_.end(), canonical) != folders_.end() ||
           std::any_of(trees_.begin(), trees_.end(),
                       [&](const std::string& tree) { return IsWithin(canonical, tree); });
}

std::string TProtectedPlaces::RefusalOfFileKey(const std::string& key) const
{
    const std::optional<std::string> canonical = CanonicalPath(key);
    if (!canonical) return "it is no absolute path";
    const std::string dir = DirectoryPart(*canonical);
    if (IsWildcardName(DirectoryPart(key))) return "its folder is a pattern";
    if (ReachesThroughLink(*canonical)) return "it lies behind a link (a junction or symbolic link)";
    if (IsWildcardName(FileNamePart(key)) && IsProtectedFolder(PathIdentity(dir)))
        return "it would empty " + PathIdentity(dir) + ", which no installation owns";
    return "";
}

std::string TProtectedPlaces::RefusalOfFolder(const std::string& dir) const
{
    const std::optional<std::string> canonical = CanonicalPath(dir);
    if (!canonical) return "it is no absolute path";
    if (ReachesThroughLink(*canonical)) return "it is or lies behind a link (a junction or symbolic link)";
    if (IsProtectedFolder(*canonical)) return "it is " + *canonical + ", which no installation owns";
    return "";
}
