#pragma once
// Registry key paths as the configuration writes them ("HKEY_LOCAL_MACHINE\Software\Vendor\App"), read
// by one rule for writing, for the pre-clean and for the uninstaller, so a key is removed where it was
// written. The root is HKEY_LOCAL_MACHINE when the first name, upper-cased, begins with "HKEY_" and
// contains "HKEY_LOCAL_MACHINE"; otherwise HKEY_CURRENT_USER. A first name beginning with "HKEY_" (in any
// letter case) is the root's and is dropped; any other belongs to the key below HKEY_CURRENT_USER.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct TKeyPath {
    HKEY Root = HKEY_CURRENT_USER;
    std::string Path;  // below the root: names joined by single "\" (empty names dropped)
};

TKeyPath ParseKeyPath(const std::string& keyPath);

// The key path spelled with its root's full name, which ParseKeyPath reads back as the same key.
std::string KeyPathText(const TKeyPath& key);

// Whether the path names a key below the root, not the root itself.
bool NamesAKey(const TKeyPath& key);

// How many names below the root.
std::size_t KeyDepth(const TKeyPath& key);

// Root and path in one text, letter case aside: equal for the same key.
std::string KeyIdentity(const TKeyPath& key);

// The key and each key above it up to the one right below the root, deepest first.
std::vector<TKeyPath> KeyAndParents(const TKeyPath& key);

// Keys that are never deleted whole, only value by value: fewer than three names below the root, under
// Software\Microsoft, Software\Classes or Software\Policies, or under HKEY_LOCAL_MACHINE's SYSTEM, SAM or
// SECURITY (letter case and empty names do not count). The 32-bit view Software\Wow6432Node counts as
// Software itself.
bool IsSharedKey(const TKeyPath& key);

// Deletes the key with all its subkeys unless it is shared or names no key; true when it was deleted.
bool EraseKeyPath(const std::string& keyPath);
