#include "app/record/RecordFormat.h"

#include <algorithm>

#include "config/TextFields.h"

namespace {

constexpr char kEscaped = '%';

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20;
}

bool ReadsBackAsWritten(const std::string& key)
{
    return !key.empty() && key.find('=') == std::string::npos &&
           std::none_of(key.begin(), key.end(), IsControl) && key.front() != ';' && key.front() != '[' &&
           key.front() != kEscaped && !IsBlank(key.front()) && !IsBlank(key.back());
}

std::string Joined(const std::vector<std::string>& fields)
{
    std::string key;
    for (std::size_t index = 0; index < fields.size(); ++index) key += (index == 0 ? "" : "|") + fields[index];
    return key;
}

// A "|" inside any field but the last would move the plain split.
bool SplitsAsWritten(const std::vector<std::string>& fields)
{
    return std::none_of(fields.begin(), fields.empty() ? fields.end() : fields.end() - 1,
                        [](const std::string& field) { return field.find('|') != std::string::npos; });
}

void AppendEscape(std::string& out, char c)
{
    const auto byte = static_cast<unsigned char>(c);
    out += kEscaped;
    out += HexDigits(byte, 2);
}

std::string Escaped(const std::vector<std::string>& fields)
{
    std::string key(1, kEscaped);
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) key += '|';
        for (char c : fields[index]) {
            if (c == kEscaped || c == '|' || c == '=' || IsControl(c))
                AppendEscape(key, c);
            else
                key += c;
        }
    }
    if (key.size() > 1 && IsBlank(key.back())) {
        const char blank = key.back();
        key.pop_back();
        AppendEscape(key, blank);
    }
    return key;
}

std::optional<std::string> Unescaped(const std::string& field)
{
    std::string text;
    for (std::size_t index = 0; index < field.size(); ++index) {
        if (field[index] != kEscaped) {
            text += field[index];
            continue;
        }
        if (index + 2 >= field.size()) return std::nullopt;
        const int high = HexDigitValue(field[index + 1]);
        const int low = HexDigitValue(field[index + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        index += 2;
    }
    return text;
}

std::optional<std::vector<std::string>> EscapedFields(const std::string& key, std::size_t fieldCount)
{
    std::vector<std::string> fields;
    std::string rest = key.substr(1);
    for (;;) {
        const std::size_t bar = rest.find('|');
        std::optional<std::string> field = Unescaped(rest.substr(0, bar));
        if (!field) return std::nullopt;
        fields.push_back(std::move(*field));
        if (bar == std::string::npos) break;
        rest.erase(0, bar + 1);
    }
    if (fields.size() != fieldCount) return std::nullopt;
    return fields;
}

}  // namespace

std::string EncodeRecordKey(const std::vector<std::string>& fields)
{
    const std::string plain = Joined(fields);
    return ReadsBackAsWritten(plain) && SplitsAsWritten(fields) ? plain : Escaped(fields);
}

std::optional<std::vector<std::string>> DecodeRecordKey(const std::string& key, std::size_t fieldCount)
{
    if (fieldCount == 0) return std::nullopt;
    if (!key.empty() && key.front() == kEscaped) return EscapedFields(key, fieldCount);
    std::vector<std::string> fields;
    std::string rest = key;
    for (std::size_t index = 1; index < fieldCount; ++index) {
        if (rest.find('|') == std::string::npos) return std::nullopt;
        fields.push_back(SplitFirst(rest, '|'));
    }
    fields.push_back(rest);
    return fields;
}
