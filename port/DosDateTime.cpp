#include "port/DosDateTime.h"

namespace port {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = 2107;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysIn(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool FitsDosDateTime(const TLocalTime& time)
{
    return time.Year >= kFirstYear && time.Year <= kLastYear;
}

std::uint32_t PackDosDateTime(const TLocalTime& time)
{
    if (time.Year < kFirstYear) return kEarliestDosDateTime;
    if (time.Year > kLastYear) return kLatestDosDateTime;
    const auto field = [](int value) { return static_cast<std::uint32_t>(value); };
    return (field(time.Year - kFirstYear) << 25) | (field(time.Month) << 21) | (field(time.Day) << 16) |
           (field(time.Hour) << 11) | (field(time.Minute) << 5) | field(time.Second / 2);
}

std::optional<TLocalTime> UnpackDosDateTime(std::uint32_t packed)
{
    TLocalTime t;
    t.Year = kFirstYear + static_cast<int>(packed >> 25);
    t.Month = static_cast<int>((packed >> 21) & 0x0F);
    t.Day = static_cast<int>((packed >> 16) & 0x1F);
    t.Hour = static_cast<int>((packed >> 11) & 0x1F);
    t.Minute = static_cast<int>((packed >> 5) & 0x3F);
    t.Second = static_cast<int>(packed & 0x1F) * 2;
    if (t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > DaysIn(t.Year, t.Month)) return std::nullopt;
    if (t.Hour > 23 || t.Minute > 59 || t.Second > 59) return std::nullopt;
    return t;
}

}  // namespace port
