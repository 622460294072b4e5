#include "settings/IniReading.h"

#include "config/ProfileNumbers.h"

std::string TIniReading::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    return ReadOptionalString(section, key).value_or(defaultValue);
}

int TIniReading::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    return ReadOptionalInteger(section, key).value_or(defaultValue);
}

std::optional<int> TIniReading::ReadOptionalInteger(const std::string& section, const std::string& key) const
{
    return ParseProfileInteger(ReadOptionalString(section, key).value_or(""));
}

bool TIniReading::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    const auto value = ReadOptionalInteger(section, key);
    return value ? *value != 0 : defaultValue;
}

std::uint32_t TIniReading::ReadColor(const std::string& section, const std::string& key,
                                     std::uint32_t defaultValue) const
{
    return ReadOptionalColor(section, key).value_or(defaultValue);
}

std::optional<std::uint32_t> TIniReading::ReadOptionalColor(const std::string& section, const std::string& key) const
{
    return ParseProfileColor(ReadOptionalString(section, key).value_or(""));
}
