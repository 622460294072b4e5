#pragma once
// The number forms of the configuration files: decimal with an optional sign, or hexadecimal after
// "$" or "0x"/"0X". Hexadecimal fills all 32 bits ("$FFFFFFFF" is -1 as an integer); a decimal
// integer must fit 32 signed bits. Anything else gives nothing, so the caller's default applies.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// A colour: as an integer, but a decimal may also be written unsigned up to 4294967295, since
// system colours (0x800000nn) are above the signed range.
std::optional<std::uint32_t> ParseProfileColor(std::string_view text);
