#include "app/record/UninstallEntries.h"

#include "app/record/CanonicalPath.h"
#include "config/TextFields.h"
#include "shell/ShellFolders.h"

namespace {

// "UninstallString" of the key, or "" when the key or value is missing or no text.
std::string UninstallStringOf(HKEY root, REGSAM view, const std::string& keyPath)
{
    DWORD size = 0;
    // REG_SZ takes REG_EXPAND_SZ too, expanded.
    const DWORD flags = RRF_RT_REG_SZ | (view == KEY_WOW64_64KEY ? RRF_SUBKEY_WOW6464KEY : 0);
    if (RegGetValueA(root, keyPath.c_str(), "UninstallString", flags, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return "";
    std::string text(size, '\0');
    if (RegGetValueA(root, keyPath.c_str(), "UninstallString", flags, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return "";
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

bool KeyExists(HKEY root, REGSAM view, const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

std::string TUninstallEntry::Text() const
{
    return Concat({Root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\", KeyPath,
                   View == KEY_WOW64_64KEY ? " (64-bit view)" : ""});
}

std::string ProgramDirectoryOf(const std::string& uninstallString)
{
    if (uninstallString.empty() || uninstallString[0] != '"') return DirectoryPart(ProgramPart(uninstallString));
    const std::size_t closing = uninstallString.find('"', 1);
    return DirectoryPart(uninstallString.substr(1, closing == std::string::npos ? std::string::npos : closing - 1));
}

std::vector<TUninstallEntry> FindUninstallEntries(const std::string& name)
{
    std::vector<TUninstallEntry> entries;
    if (name.empty() || name.find('\\') != std::string::npos) return entries;
    std::vector<std::pair<HKEY, REGSAM>> places = {{HKEY_LOCAL_MACHINE, 0}};
    if (IsWow64()) places.emplace_back(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
    places.emplace_back(HKEY_CURRENT_USER, 0);
    const std::string keyPath = kUninstallKeyPrefix + name;
    for (const auto& [root, view] : places)
        if (KeyExists(root, view, keyPath))
            entries.push_back({root, view, keyPath, ProgramDirectoryOf(UninstallStringOf(root, view, keyPath))});
    return entries;
}

std::optional<TUninstallEntry> EntryNamingFolder(const std::string& name, const std::string& dir)
{
    const std::optional<std::string> folder = CanonicalPath(dir);
    if (!folder) return std::nullopt;
    for (const TUninstallEntry& entry : FindUninstallEntries(name))
        if (!entry.Dir.empty() && CanonicalPath(entry.Dir) == folder) return entry;
    return std::nullopt;
}

bool DeleteUninstallEntry(const TUninstallEntry& entry)
{
    HKEY parent = nullptr;
    std::string parentPath = DirectoryPart(entry.KeyPath);
    if (!parentPath.empty()) parentPath.pop_back();
    if (RegOpenKeyExA(entry.Root, parentPath.c_str(), 0, KEY_ALL_ACCESS | entry.View, &parent) != ERROR_SUCCESS)
        return false;
    const std::string name = FileNamePart(entry.KeyPath);
    // The key itself goes with its subkeys.
    const bool deleted = !name.empty() && RegDeleteTreeA(parent, name.c_str()) == ERROR_SUCCESS;
    RegCloseKey(parent);
    return deleted;
}
