#include "app/FileKeyRules.h"

#include <windows.h>

#include <algorithm>

#include "config/TextFields.h"

namespace {

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    return UpperCase(text).find(UpperCase(part)) != std::string::npos;
}

std::optional<std::string> FullPathName(const std::string& path)
{
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::nullopt;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::nullopt;
    full.resize(length);
    return full;
}

bool IsPattern(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

}  // namespace

bool IsAbsolutePath(const std::string& path)
{
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool IsAbsoluteDirectory(const std::string& dir)
{
    return IsAbsolutePath(dir) && dir.back() == '\\';
}

std::vector<std::string> SystemDirsOf(const std::string& windowsDir)
{
    return {windowsDir + "\\", windowsDir + "\\System\\", windowsDir + "\\System32\\", windowsDir + "\\Fonts\\"};
}

std::optional<std::string> RemovableFileKey(const std::string& key, const std::vector<std::string>& systemDirs)
{
    if (!IsAbsolutePath(key) || key.back() == '\\') return std::nullopt;
    const std::optional<std::string> full = FullPathName(key);
    if (!full || !IsAbsolutePath(*full) || full->back() == '\\') return std::nullopt;
    if (IsPattern(FileNamePart(*full)) && IsSystemOrRootDirectory(DirectoryPart(*full), systemDirs))
        return std::nullopt;
    return full;
}

bool IsSystemOrRootDirectory(const std::string& dir, const std::vector<std::string>& systemDirs)
{
    const std::string upper = UpperCase(WithTrailingBackslash(dir));
    if (upper.size() <= 3) return true;
    return std::any_of(systemDirs.begin(), systemDirs.end(),
                       [&](const std::string& system) { return UpperCase(system) == upper; });
}

bool IsSystemFileKey(const std::string& path, const std::vector<std::string>& systemDirs)
{
    if (ContainsNoCase(path, ".LNK")) return false;
    return std::any_of(systemDirs.begin(), systemDirs.end(),
                       [&](const std::string& system) { return ContainsNoCase(path, system); });
}
