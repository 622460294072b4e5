#include "app/record/FileKeyRules.h"

#include <windows.h>

#include <algorithm>

#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "shell/PathIdentity.h"

namespace {

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    return UpperCase(text).find(UpperCase(part)) != std::string::npos;
}

std::optional<std::string> FullPathName(const std::string& path)
{
    const std::wstring wide = port::Widened(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::nullopt;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::nullopt;
    full.resize(length);
    return port::Narrowed(full);
}

}  // namespace

bool IsWildcardName(const std::string& name)
{
    return name.find_first_of("*?<>\"") != std::string::npos;
}

bool IsAbsolutePath(const std::string& path)
{
    return PathRootLength(path) > 0;
}

bool IsAbsoluteDirectory(const std::string& dir)
{
    return IsAbsolutePath(dir) && dir.back() == '\\';
}

std::string IniSectionIdentity(const std::string& file, const std::string& section)
{
    return PathIdentity(file) + "|" + UpperCase(section);
}

std::vector<std::string> SystemDirsOf(const std::string& windowsDir)
{
    return {windowsDir + "\\",        windowsDir + "\\System\\",   windowsDir + "\\System32\\",
            windowsDir + "\\Fonts\\", windowsDir + "\\SysWOW64\\", windowsDir + "\\Sysnative\\"};
}

std::optional<std::string> ResolvedPath(const std::string& path)
{
    if (!IsAbsolutePath(path)) return std::nullopt;
    const std::optional<std::string> full = FullPathName(path);
    if (!full || !IsAbsolutePath(*full)) return std::nullopt;
    return full;
}

std::optional<std::string> RemovableFileKey(const std::string& key, const std::vector<std::string>& systemDirs)
{
    if (key.empty() || key.back() == '\\') return std::nullopt;
    const std::optional<std::string> full = ResolvedPath(key);
    if (!full || full->back() == '\\') return std::nullopt;
    if (IsWildcardName(FileNamePart(*full)) && IsSystemOrRootDirectory(DirectoryPart(*full), systemDirs))
        return std::nullopt;
    return full;
}

bool IsRootDirectory(const std::string& dir)
{
    const std::string path = WithTrailingBackslash(dir);
    const std::size_t root = PathRootLength(path);
    return root == 0 || path.size() <= root;
}

bool IsSystemOrRootDirectory(const std::string& dir, const std::vector<std::string>& systemDirs)
{
    if (IsRootDirectory(dir)) return true;
    const std::string identity = PathIdentity(dir);
    return std::any_of(systemDirs.begin(), systemDirs.end(),
                       [&](const std::string& system) { return PathIdentity(system) == identity; });
}

bool IsSystemFileKey(const std::string& path, const std::vector<std::string>& systemDirs)
{
    if (ContainsNoCase(path, ".LNK")) return false;
    return std::any_of(systemDirs.begin(), systemDirs.end(),
                       [&](const std::string& system) { return ContainsNoCase(path, system); });
}
