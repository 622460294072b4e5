#pragma once
// Writes an uninstall record by hand, through the profile API as the installation does: every key
// with an empty value, in the order given.
#include <string>
#include <utility>
#include <vector>

#include "settings/IniFile.h"

using RecordSections = std::vector<std::pair<std::string, std::vector<std::string>>>;

inline void WriteUninstallRecord(const std::string& dir, const RecordSections& sections, const std::string& title)
{
    TIniFile record(dir + "uninstaller.cfg");
    for (const auto& [section, keys] : sections)
        for (const std::string& key : keys) record.WriteString(section, key, "");
    if (!title.empty()) record.WriteString("Name", "Title", title);
    record.UpdateFile();
}
