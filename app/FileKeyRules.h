#pragma once
// Which "Files" keys of the uninstall record the uninstaller acts on, and which it asks about first.
#include <optional>
#include <string>
#include <vector>

// "X:\" and more: a drive letter, a colon and a backslash.
bool IsAbsolutePath(const std::string& path);
// An absolute path that ends in "\".
bool IsAbsoluteDirectory(const std::string& dir);

// The Windows directory and its System, System32 and Fonts directories, each ending in "\".
std::vector<std::string> SystemDirsOf(const std::string& windowsDir);

// The full path the key names once "." and ".." names, doubled and forward separators are
// resolved, or nothing when the uninstaller must not act on it: a key that is not an absolute path
// with a file part, or a pattern ("*" or "?") over a drive root or one of systemDirs, which would
// empty a directory the installation never owned.
std::optional<std::string> RemovableFileKey(const std::string& key, const std::vector<std::string>& systemDirs);

// A drive root ("X:\") or one of systemDirs, letter case aside: never removed, even when empty.
bool IsSystemOrRootDirectory(const std::string& dir, const std::vector<std::string>& systemDirs);

// A file in or below one of systemDirs (letter case aside), unless it is a shortcut (".lnk"):
// deleting it could break Windows or other programs, so the user is asked first.
bool IsSystemFileKey(const std::string& path, const std::vector<std::string>& systemDirs);
