#pragma once
// The packed MS-DOS date and time that archives carry (date in the high word, time in the low word):
// a local time from 1980-01-01 00:00:00 to 2107-12-31 23:59:58, in steps of two seconds.
#include <cstdint>
#include <optional>

namespace port {

struct TLocalTime {
    int Year = 1980;
    int Month = 1;  // 1 to 12
    int Day = 1;    // 1 to 31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

constexpr std::uint32_t kEarliestDosDateTime = 0x00210000;  // 1980-01-01 00:00:00
constexpr std::uint32_t kLatestDosDateTime = 0xFF9FBF7D;    // 2107-12-31 23:59:58

// True when the packed form can hold the time (an odd second is rounded down).
bool FitsDosDateTime(const TLocalTime& time);
// The packed form; a time before or after the range gives its nearest end.
std::uint32_t PackDosDateTime(const TLocalTime& time);
// The time a packed value names; nothing when its fields name no real day or time (0, 30 February).
std::optional<TLocalTime> UnpackDosDateTime(std::uint32_t packed);

}  // namespace port
