#include "app/install/JournalEntry.h"

#include <array>
#include <cstddef>

#include "app/record/RecordFormat.h"
#include "config/TextFields.h"

namespace {

struct TKindRow {
    TJournalKind Kind;
    const char* Name;
    std::size_t FieldCount;  // after the kind
};

constexpr std::array<TKindRow, 12> kKinds{{{jkBackups, "backups", 1},
                                           {jkScratch, "scratch", 3},
                                           {jkDirectory, "dir", 1},
                                           {jkNewFile, "new", 1},
                                           {jkMovedAside, "aside", 2},
                                           {jkCopiedAside, "copy", 2},
                                           {jkNewKey, "key", 1},
                                           {jkErasedKey, "erased", 1},
                                           {jkValue, "value", 5},
                                           {jkIniKey, "ini", 5},
                                           {jkIniSection, "section", 2},
                                           {jkGoneDirectory, "gone", 1}}};

// A registry key's name holds at most 255 characters; these are bytes of UTF-8, so never more characters.
constexpr std::size_t kLongestKeyName = 255;

std::uint64_t Fnv1a(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

}  // namespace

std::string EncodeJournalEntry(const TJournalEntry& entry)
{
    std::vector<std::string> fields{kKinds[entry.Kind].Name};
    fields.insert(fields.end(), entry.Fields.begin(), entry.Fields.end());
    return EncodeRecordKey(fields);
}

std::optional<TJournalEntry> DecodeJournalEntry(const std::string& line)
{
    // Each kind has its own count of fields, so only the row of the kind the line names can decode it.
    for (const TKindRow& row : kKinds) {
        std::optional<std::vector<std::string>> fields = DecodeRecordKey(line, row.FieldCount + 1);
        if (!fields || fields->front() != row.Name) continue;
        fields->erase(fields->begin());
        return TJournalEntry{row.Kind, std::move(*fields)};
    }
    return std::nullopt;
}

std::string JournalKeyPath(const std::string& title)
{
    std::string name;
    for (const char c : title)
        name += c == '\\' || c == '%' ? "%" + HexDigits(static_cast<unsigned char>(c), 2) : std::string(1, c);
    if (name.size() > kLongestKeyName) name = name.substr(0, kLongestKeyName - 17) + "%" + HexDigits(Fnv1a(title), 16);
    return std::string(kJournalsKey) + "\\" + (name.empty() ? "%" : name);
}

std::string JournalLineName(std::uint64_t number)
{
    return HexDigits(number, 8);
}

std::string HexOfBytes(const std::vector<unsigned char>& bytes)
{
    std::string text;
    for (const unsigned char byte : bytes) text += HexDigits(byte, 2);
    return text;
}

std::optional<std::vector<unsigned char>> BytesOfHex(const std::string& text)
{
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<unsigned char> bytes;
    for (std::size_t at = 0; at < text.size(); at += 2) {
        const int high = HexDigitValue(text[at]);
        const int low = HexDigitValue(text[at + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return bytes;
}
