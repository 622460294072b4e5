#include "settings/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "config/TextFields.h"

namespace {

// Two defaults no call can return both of: a key that is present gives the same text to both calls.
constexpr const char* kMissingA = "\x01";
constexpr const char* kMissingB = "\x02";

std::string ProfileString(const char* section, const char* key, const char* defaultValue, const std::string& file)
{
    char buffer[TIniFile::ValueBufferSize];
    const DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer, sizeof buffer, file.c_str());
    return std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1));
}

// The profile API keeps section names without the blanks around them.
std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::string> TIniFile::ReadOptionalString(const std::string& section, const std::string& key) const
{
    std::string first = ProfileString(section.c_str(), key.c_str(), kMissingA, fileName_);
    if (first != kMissingA) return first;
    if (ProfileString(section.c_str(), key.c_str(), kMissingB, fileName_) == kMissingB) return std::nullopt;
    return first;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    std::vector<char> buffer(SectionBufferSize);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), fileName_.c_str());
    // The names are NUL-terminated one after another. A full buffer means the last one was cut:
    // a cut name could name another program or file, so it is left out with the rest.
    const bool cut = length + 2 >= buffer.size();
    const std::string_view names(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < names.size()) {
        const auto end = std::min(names.find('\0', start), names.size());
        keys.emplace_back(names.substr(start, end - start));
        start = end + 1;
    }
    if (cut && !keys.empty()) keys.pop_back();
    return keys;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
        throw EIniFileException("Cannot write [" + section + "] " + key + " to " + fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

bool TIniFile::SectionExists(const std::string& section) const
{
    // Section names follow one another, each ended by a NUL; a buffer the names fill is made larger.
    for (std::size_t size = SectionBufferSize;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length =
            GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), fileName_.c_str());
        if (length + 2 >= buffer.size() && size < (16u << 20)) continue;
        std::string_view names(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
        while (!names.empty()) {
            const std::size_t end = std::min(names.find('\0'), names.size());
            if (UpperCase(std::string(names.substr(0, end))) == UpperCase(Trimmed(section))) return true;
            names.remove_prefix(std::min(end + 1, names.size()));
        }
        return false;
    }
}

void TIniFile::EraseSection(const std::string& section)
{
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}
