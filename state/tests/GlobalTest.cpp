#include "state/Global.h"

#include <gtest/gtest.h>

#include "shell/ShellFolders.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/ScratchDir.h"

namespace {

std::tm TimeOfDay(int hour, int minute, int second)
{
    std::tm time{};
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(Global, InitGlobalsNamesTheDirectoriesOfARun)
{
    Global.RegistryEntries = {"left over"};
    InitGlobals("C:\\", TimeOfDay(9, 5, 7), false);
    EXPECT_EQ(Global.SourceDir, "C:\\") << "a drive root gets no second backslash";
    EXPECT_EQ(Global.TempDir, WindowsDir() + "\\Temp\\z2000_090507\\");
    EXPECT_EQ(Global.SegmentTempDir, Global.TempDir)
        << "the segment reader's scratch files go into the run's own folder";
    EXPECT_FALSE(Global.UninstallMode);
    EXPECT_FALSE(Global.ExpandFailed);
    EXPECT_TRUE(Global.RegistryEntries.empty());

    InitGlobals("C:\\Program Files\\Acme", TimeOfDay(23, 59, 0), true);
    EXPECT_EQ(Global.SourceDir, "C:\\Program Files\\Acme\\");
    EXPECT_EQ(Global.TempDir, WindowsDir() + "\\Temp\\z2000_235900\\");
    EXPECT_EQ(Global.SegmentTempDir, "C:\\Program Files\\Acme\\");
    EXPECT_TRUE(Global.UninstallMode);
}

TEST(Global, WithoutArgumentsThisProcessIsTheRun)
{
    ScratchDir started;
    Global.UninstallMode = true;
    {
        InDirectory inStarted(started.Path());
        InitGlobals();
    }
    EXPECT_EQ(Global.SourceDir, started.Path()) << "the directory it was started in";
    EXPECT_EQ(Global.SegmentTempDir, Global.SourceDir) << "the mode is kept";
    const std::string temp = WindowsDir() + "\\Temp\\z2000_";
    ASSERT_EQ(Global.TempDir.rfind(temp, 0), 0u) << Global.TempDir;
    const std::string digits = Global.TempDir.substr(temp.size());
    EXPECT_EQ(digits.size(), 7u) << "the time of day, to the second: " << digits;
    EXPECT_EQ(digits.find_first_not_of("0123456789"), 6u) << digits;

    Global.InstallFiles = {"a", "b"};
    FreeGlobals();
    EXPECT_TRUE(Global.InstallFiles.empty());
}

}  // namespace
