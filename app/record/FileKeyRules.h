#pragma once
// Which "Files" keys of the uninstall record the uninstaller acts on, and which it asks about first.
#include <optional>
#include <string>
#include <vector>

// Whether FindFirstFile takes name as a pattern: "*" and "?", and "<", ">" and '"', which it reads as wildcards too.
bool IsWildcardName(const std::string& name);

// "X:\" and more (a drive letter, a colon and a backslash), or "\\server\share\" and more.
bool IsAbsolutePath(const std::string& path);
// An absolute path that ends in "\".
bool IsAbsoluteDirectory(const std::string& dir);

// An INI section of a file, for comparisons: the file's PathIdentity and the section, letter case aside.
std::string IniSectionIdentity(const std::string& file, const std::string& section);

// The Windows directory and its System, System32, Fonts, SysWOW64 and Sysnative directories, each ending in "\":
// on 64-bit Windows a 32-bit program reaches the 64-bit system folder as Sysnative, and its own as SysWOW64.
std::vector<std::string> SystemDirsOf(const std::string& windowsDir);

// The full path an absolute path names once "." and ".." names, doubled and forward separators are
// resolved, or nothing when it is not absolute before and after. Every guard looks at this path: an
// unresolved one could reach a directory the guard does not see.
std::optional<std::string> ResolvedPath(const std::string& path);

// The key's ResolvedPath, or nothing when the uninstaller must not act on it: a key that is not an
// absolute path with a file part, or a pattern ("*" or "?") over a drive or share root or one of
// systemDirs, which would empty a directory the installation never owned.
std::optional<std::string> RemovableFileKey(const std::string& key, const std::vector<std::string>& systemDirs);

// A drive root ("X:\") or a share root ("\\server\share\"); also any path that does not begin with one.
bool IsRootDirectory(const std::string& dir);

// A drive root ("X:\"), a share root ("\\server\share\") or one of systemDirs, letter case aside: never
// removed, even when empty.
bool IsSystemOrRootDirectory(const std::string& dir, const std::vector<std::string>& systemDirs);

// A file in or below one of systemDirs (letter case aside), unless it is a shortcut (".lnk"):
// deleting it could break Windows or other programs, so the user is asked first.
bool IsSystemFileKey(const std::string& path, const std::vector<std::string>& systemDirs);
