#pragma once
// The methods of the command line: the rows of the method table that have coders ("custom" is an
// application's own), by their names.
#include <map>
#include <string>

#include "compress/Compress.h"
#include "compress/MethodTable.h"

// A method as --method names it: a row of the method table.
struct MethodChoice {
    std::size_t row = MethodRowOf(coLZH5, {});

    TCompressionMethod Method() const { return static_cast<TCompressionMethod>(MethodColumn(&TMethodRow::Method)[row]); }
    // A component writes coCustom with the identifier it is given.
    void ApplyTo(TCompress& component) const { component.CompressID = MethodColumn(&TMethodRow::Id)[row]; }
};

// The rows --method accepts, by name.
inline const std::map<std::string, std::size_t>& MethodNames()
{
    static const std::map<std::string, std::size_t> names = [] {
        constexpr auto name = MethodColumn(&TMethodRow::Name);
        constexpr auto encoder = MethodColumn(&TMethodRow::Encoder);
        std::map<std::string, std::size_t> rows;
        for (std::size_t i = 0; i < kMethodCount; ++i)
            if (encoder[i] != nullptr) rows[name[i]] = i;
        return rows;
    }();
    return names;
}

// The names --method accepts, in the table's order, for the help text: "none|rle|...".
inline std::string MethodNameList()
{
    constexpr auto name = MethodColumn(&TMethodRow::Name);
    std::string list;
    for (std::size_t i = 0; i < kMethodCount; ++i)
        if (MethodNames().count(name[i]) > 0) list += (list.empty() ? "" : "|") + std::string(name[i]);
    return list;
}

// The name of an entry's method; customId is the archive header's identifier, which names a coCustom one.
inline std::string MethodName(std::uint8_t method, const std::string& customId)
{
    constexpr auto names = MethodColumn(&TMethodRow::Name);
    const std::size_t row = MethodRowOf(method, customId);
    if (row < kMethodCount) return names[row];
    return method == coCustom ? "custom" : "#" + std::to_string(method);
}

inline std::string MethodName(const MethodChoice& choice) { return MethodColumn(&TMethodRow::Name)[choice.row]; }
