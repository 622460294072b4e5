#include "shell/ShellFolders.h"

#include <gtest/gtest.h>

#include <array>

#include "port/FileSystem.h"
#include "settings/Registry.h"

namespace {

constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::array<const char*, 4> kValueNames{"Desktop", "Programs", "Start Menu", "Startup"};

// Removes the user's four folder values for one test and puts them back afterwards.
class HiddenShellFolders {
public:
    HiddenShellFolders()
    {
        if (!key_.OpenKey(kKey, true)) return;
        for (std::size_t i = 0; i < kValueNames.size(); ++i) {
            saved_[i] = key_.ReadString(kValueNames[i]);
            key_.DeleteValue(kValueNames[i]);
        }
    }
    ~HiddenShellFolders()
    {
        for (std::size_t i = 0; i < kValueNames.size(); ++i)
            if (!saved_[i].empty()) key_.WriteString(kValueNames[i], saved_[i]);
    }
    HiddenShellFolders(const HiddenShellFolders&) = delete;
    HiddenShellFolders& operator=(const HiddenShellFolders&) = delete;

    TRegistry& Key() { return key_; }

private:
    TRegistry key_;
    std::array<std::string, 4> saved_;
};

TEST(ShellFolders, WindowsDirAndSystemDrive)
{
    const std::string windows = WindowsDir();
    EXPECT_TRUE(port::IsDirectory(windows)) << windows;
    EXPECT_NE(windows.back(), '\\');
    EXPECT_EQ(SystemDrive(), windows.substr(0, 2) + "\\");
}

TEST(ShellFolders, TheUsersFoldersComeFromTheRegistryOrBelowWindows)
{
    HiddenShellFolders hidden;
    ASSERT_TRUE(hidden.Key().HasOpenKey());
    const std::string windows = WindowsDir();
    EXPECT_EQ(ShellFolderPath(sfDesktop), windows + "\\Desktop\\");
    EXPECT_EQ(ShellFolderPath(sfPrograms), windows + "\\Start Menu\\Programs\\");
    EXPECT_EQ(ShellFolderPath(sfStartMenu), windows + "\\Start Menu\\");
    EXPECT_EQ(ShellFolderPath(sfStartup), windows + "\\Start Menu\\Programs\\StartUp\\");

    hidden.Key().WriteString("Programs", "C:\\Somewhere\\Programs");
    hidden.Key().WriteString("Desktop", "C:\\Somewhere\\Desktop\\");
    EXPECT_EQ(ShellFolderPath(sfPrograms), "C:\\Somewhere\\Programs\\");
    EXPECT_EQ(ShellFolderPath(sfDesktop), "C:\\Somewhere\\Desktop\\") << "no second backslash";
}

TEST(ShellFolders, SmallIconIndexIsInTheSystemList)
{
    const HIMAGELIST list = SystemSmallIconList();
    ASSERT_NE(list, nullptr);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &width, &height));
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
    const int index = SmallIconIndex(WindowsDir() + "\\notepad.exe");
    EXPECT_GE(index, 0);
    EXPECT_LT(index, ImageList_GetImageCount(list));
}

}  // namespace
