#pragma once
// A configuration file in UTF-8 (a byte-order mark at its start is skipped), read whole by the project's
// own profile reader (config/ProfileFile.h) with the rules of TIniReading: the system's profile functions
// would take it in the machine's code page on Windows. A file that cannot be read reads as empty.
#include <string>

#include "config/ProfileFile.h"
#include "settings/IniReading.h"

class TUtf8IniFile : public TIniReading {
public:
    explicit TUtf8IniFile(const std::string& fileName);

    std::optional<std::string> ReadOptionalString(const std::string& section, const std::string& key) const override;
    std::vector<std::string> ReadSection(const std::string& section) const override;

private:
    ProfileFile profile_;
};
