#include "config/ProfileFile.h"

#include <algorithm>
#include <cctype>

#include "config/ProfileNumbers.h"
#include "config/TextFields.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) ++begin;
    while (end > begin && IsSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool SameText(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// One pair of matching quotes around a value is not part of it.
std::string WithoutQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

ProfileKey KeyFromLine(const std::string& line, int number)
{
    ProfileKey key;
    key.line = number;
    const auto equals = line.find('=');
    key.name = Trim(line.substr(0, equals));
    if (equals != std::string::npos) key.value = Trim(line.substr(equals + 1));
    return key;
}

}  // namespace

ProfileFile ProfileFile::Parse(const std::string& text)
{
    ProfileFile profile;
    profile.sections_.push_back({"", 0, {}});  // lines before the first header
    int number = 0;
    for (const std::string& raw : SplitLines(WithoutUtf8Mark(text))) {
        ++number;
        const std::string line = Trim(raw);
        if (line.empty()) continue;
        const auto close = line.rfind(']');
        if (line.front() == '[' && close != std::string::npos) {
            profile.sections_.push_back({line.substr(1, close - 1), number, {}});
            continue;
        }
        profile.sections_.back().keys.push_back(KeyFromLine(line, number));
    }
    return profile;
}

const ProfileSection* ProfileFile::FindSection(const std::string& section) const
{
    const std::string wanted = Trim(section);
    for (const ProfileSection& s : sections_)
        if (SameText(Trim(s.name), wanted)) return &s;
    return nullptr;
}

const ProfileKey* ProfileFile::FindKey(const std::string& section, const std::string& key) const
{
    const ProfileSection* s = FindSection(section);
    if (s == nullptr) return nullptr;
    const std::string wanted = Trim(key);
    for (const ProfileKey& k : s->keys)
        if (SameText(k.name, wanted)) return &k;
    return nullptr;
}

std::optional<std::string> ProfileFile::ReadString(const std::string& section, const std::string& key) const
{
    const ProfileKey* k = FindKey(section, key);
    if (k == nullptr) return std::nullopt;
    std::string value = WithoutQuotes(k->value.value_or(""));
    if (value.size() > kValueBuffer - 1) value.resize(kValueBuffer - 1);
    return value;
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    return ReadString(section, key).value_or(defaultValue);
}

std::int32_t ProfileFile::ReadInteger(const std::string& section, const std::string& key,
                                      std::int32_t defaultValue) const
{
    const auto text = ReadString(section, key);
    if (!text) return defaultValue;
    return ParseProfileInteger(*text).value_or(defaultValue);
}

bool ProfileFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> ProfileFile::KeyNames(const std::string& section) const
{
    std::vector<std::string> names = AllKeyNames(section);
    std::size_t room = kKeyListBuffer;
    for (auto name = names.begin(); name != names.end(); ++name) {
        // A name the buffer would cut could name another file: it is left out with the rest.
        if (name->size() + 2 > room) {
            names.erase(name, names.end());
            break;
        }
        room -= name->size() + 1;
    }
    return names;
}

std::vector<std::string> ProfileFile::AllKeyNames(const std::string& section) const
{
    std::vector<std::string> names;
    const ProfileSection* s = FindSection(section);
    if (s == nullptr) return names;
    for (const ProfileKey& k : s->keys)
        if (k.value && (k.name.empty() || k.name.front() != ';')) names.push_back(k.name);  // "=", and no comment
    return names;
}
