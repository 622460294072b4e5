#pragma once
// What an installation left on the machine, found as the uninstaller finds it: the uninstall entry named
// by the title, and the record beside the installed setup.exe.
#include "app/record/UninstallRecordReader.h"

#include <optional>
#include <string>

struct InstalledProduct {
    std::string Title;
    std::string UninstallString;
    std::string Directory;  // of the installed setup.exe, ending in "\"
    TUninstallRecordContents Record;
};

// Empty when the title has no uninstall entry.
std::optional<InstalledProduct> FindInstalledProduct(const std::string& title);

// For people: where it went; each file with its size, each shortcut with its target; each registry key
// with its values, each registry value and each INI key with what it holds now.
std::string DescribeInstalledProduct(const InstalledProduct& product);
