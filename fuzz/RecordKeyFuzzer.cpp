// Any bytes as a key of the uninstall record, decoded as a section of one to four fields reads it: a key
// that decodes encodes again to a key that decodes to the same fields. The first byte is also a
// separator: the rest cut at it is a list of fields, which encodes to a key that the profile functions
// keep as written and that decodes back to exactly those fields.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/record/RecordFormat.h"

namespace {

void Require(bool holds)
{
    if (!holds) std::abort();
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The profile functions cut a key at "=", trim blanks at its ends and take a line that begins with ";"
// or "[" for something else; a control character would end or break the line.
bool KeptAsWritten(const std::string& key)
{
    for (const char c : key)
        if (c == '=' || static_cast<unsigned char>(c) < 0x20) return false;
    return !key.empty() && key.front() != ';' && key.front() != '[' && !IsBlank(key.front()) && !IsBlank(key.back());
}

void CheckEncoding(const std::vector<std::string>& fields)
{
    const std::string key = EncodeRecordKey(fields);
    Require(KeptAsWritten(key));
    Require(DecodeRecordKey(key, fields.size()) == fields);
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string key(reinterpret_cast<const char*>(data), size);
    for (std::size_t fieldCount = 1; fieldCount <= 4; ++fieldCount)
        if (const std::optional<std::vector<std::string>> fields = DecodeRecordKey(key, fieldCount)) {
            Require(fields->size() == fieldCount);
            CheckEncoding(*fields);
        }
    if (!key.empty()) CheckEncoding(Split(key.substr(1), key.front()));
    return 0;
}
