#include "port/DosDateTime.h"

#include <gtest/gtest.h>

#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/FileDates.h"
#include "testsupport/ScratchDir.h"

namespace {

// 2001-05-06 12:34:56: date 0x2AA6, time 0x645C.
constexpr std::uint32_t kMay2001 = 0x2AA6645Cu;

TEST(DosDateTime, OnlyRealDaysAndTimesUnpack)
{
    struct Case {
        std::uint32_t packed;
        bool real;
    };
    const Case cases[] = {
        {kMay2001, true},
        {port::kEarliestDosDateTime, true},
        {port::kLatestDosDateTime, true},
        {0, false},                                          // month 0, day 0
        {(21u << 25) | (2u << 21) | (30u << 16), false},     // 30 February 2001
        {(20u << 25) | (2u << 21) | (29u << 16), true},      // 29 February 2000
        {(120u << 25) | (2u << 21) | (29u << 16), false},    // 2100 is no leap year
        {(21u << 25) | (13u << 21) | (1u << 16), false},     // month 13
        {(21u << 25) | (4u << 21) | (31u << 16), false},     // 31 April
        {kMay2001 | (24u << 11), false},                     // hour 24
        {(kMay2001 & ~0x7E0u) | (60u << 5), false},          // minute 60
        {(kMay2001 & ~0x1Fu) | 30u, false},                  // second 60
    };
    for (const Case& c : cases) EXPECT_EQ(port::UnpackDosDateTime(c.packed).has_value(), c.real) << std::hex << c.packed;
    const port::TLocalTime t = *port::UnpackDosDateTime(kMay2001);
    EXPECT_EQ(port::PackDosDateTime(t), kMay2001);
    EXPECT_EQ(t.Year * 10000 + t.Month * 100 + t.Day, 20010506);
    EXPECT_EQ(t.Hour * 10000 + t.Minute * 100 + t.Second, 123456);
}

TEST(DosDateTime, TimesOutsideTheRangeGiveItsNearestEnd)
{
    EXPECT_EQ(port::PackDosDateTime({1970, 1, 2, 3, 4, 5}), port::kEarliestDosDateTime);
    EXPECT_EQ(port::PackDosDateTime({1979, 12, 31, 23, 59, 59}), port::kEarliestDosDateTime);
    EXPECT_EQ(port::PackDosDateTime({2108, 1, 1, 0, 0, 0}), port::kLatestDosDateTime);
    EXPECT_EQ(port::PackDosDateTime({2107, 12, 31, 23, 59, 59}), port::kLatestDosDateTime) << "rounded down";
    EXPECT_EQ(port::PackDosDateTime({2001, 5, 6, 12, 34, 57}), kMay2001) << "an odd second is rounded down";
    EXPECT_FALSE(port::FitsDosDateTime({1979, 12, 31, 23, 59, 59}));
    EXPECT_TRUE(port::FitsDosDateTime({1980, 1, 1, 0, 0, 0}));
    EXPECT_TRUE(port::FitsDosDateTime({2107, 12, 31, 23, 59, 59}));
    EXPECT_FALSE(port::FitsDosDateTime({2108, 1, 1, 0, 0, 0}));
}

// A file of 1970 used to wrap to 2098 on posix and to fail on Windows.
TEST(DosDateTime, FilesDatedOutsideTheRangeReadAsItsNearestEnd)
{
    ScratchDir dir;
    const std::string path = dir / "old.txt";
    ScratchDir::Write(path, "x");
    ASSERT_TRUE(SetLastWrite(path, {1970, 1, 2, 12, 0, 0}));
    EXPECT_EQ(FileStream(path, FileMode::OpenRead).DosDateTime(), port::kEarliestDosDateTime);
    EXPECT_EQ(FileStream(path, FileMode::OpenRead).LastWriteTime().Year, 1970);
    ASSERT_TRUE(SetLastWrite(path, {2120, 6, 1, 12, 0, 0}));
    EXPECT_EQ(FileStream(path, FileMode::OpenRead).DosDateTime(), port::kLatestDosDateTime);
}

TEST(DosDateTime, AnImpossibleDateIsRefusedAndTheFileKeepsItsOwn)
{
    ScratchDir dir;
    const std::string path = dir / "dated.txt";
    FileStream file(path, FileMode::Create);
    file.SetDosDateTime(kMay2001);
    for (const std::uint32_t impossible : {0u, (21u << 25) | (2u << 21) | (30u << 16)}) {
        EXPECT_THROW(file.SetDosDateTime(impossible), EInOutError) << std::hex << impossible;
        EXPECT_EQ(file.DosDateTime(), kMay2001);
    }
}

TEST(DosDateTime, LastWriteTimesCopyExactly)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "from.txt", "a");
    ScratchDir::Write(dir / "to.txt", "b");
    ASSERT_TRUE(SetLastWrite(dir / "from.txt", {1975, 3, 4, 5, 6, 7}));
    port::CopyLastWriteTime(dir / "from.txt", dir / "to.txt");
    EXPECT_EQ(LastWrite(dir / "to.txt"), (LocalDate{1975, 3, 4, 5, 6, 7})) << "odd seconds and years before 1980 too";
    EXPECT_THROW(port::CopyLastWriteTime(dir / "missing.txt", dir / "to.txt"), EInOutError);
}

}  // namespace
