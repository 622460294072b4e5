#include "state/Global.h"

#include <gtest/gtest.h>

#include "port/FileSystem.h"
#include "shell/ShellFolders.h"

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
    EXPECT_EQ(Global.SegmentTempDir, WindowsDir() + "\\Temp\\");
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
    Global.UninstallMode = true;
    InitGlobals();
    EXPECT_EQ(Global.SegmentTempDir, Global.SourceDir) << "the mode is kept";
    EXPECT_EQ(Global.SourceDir.rfind(port::CurrentDir(), 0), 0u);

    Global.InstallFiles = {"a", "b"};
    FreeGlobals();
    EXPECT_TRUE(Global.InstallFiles.empty());
}

}  // namespace
