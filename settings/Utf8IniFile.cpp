#include "settings/Utf8IniFile.h"

#include "port/WholeFile.h"

TUtf8IniFile::TUtf8IniFile(const std::string& fileName)
    : profile_(ProfileFile::Parse(ReadWholeFile(fileName).value_or("")))
{
}

std::optional<std::string> TUtf8IniFile::ReadOptionalString(const std::string& section, const std::string& key) const
{
    return profile_.ReadString(section, key);
}

std::vector<std::string> TUtf8IniFile::ReadSection(const std::string& section) const
{
    return profile_.KeyNames(section);
}
