#include "bootstrap/SupportFilePath.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemp = "C:\\WINDOWS\\Temp\\z2000_101010\\";

TEST(SupportFilePath, KeepsOnlyTheBareName)
{
    EXPECT_EQ(SupportFilePath(kTemp, "C:\\dist\\sub\\deep\\x.txt"), kTemp + "x.txt");
    EXPECT_EQ(SupportFilePath(kTemp, "\\abs\\logo.gif"), kTemp + "logo.gif");
    EXPECT_EQ(SupportFilePath(kTemp, "readme.txt"), kTemp + "readme.txt");
    EXPECT_EQ(SupportFilePath(kTemp, "a/b/c.txt"), kTemp + "c.txt") << "Windows takes / as a separator";
    EXPECT_EQ(SupportFilePath(kTemp, "D:evil.exe"), kTemp + "evil.exe") << "a drive-relative name";
}

TEST(SupportFilePath, ANameThatWouldLeaveTheDirectoryIsSkipped)
{
    for (const char* stored : {"..", "sub\\..", ".", "sub\\", "", "C:..", "x/..", "a\\.. ", "...", " "})
        EXPECT_EQ(SupportFilePath(kTemp, stored), "") << stored;
}

}  // namespace
