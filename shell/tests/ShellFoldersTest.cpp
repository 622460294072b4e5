#include "shell/ShellFolders.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "port/FileSystem.h"
#include "ui/Registry.h"

namespace {

constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kValueNames[] = {"Desktop", "Programs", "Start Menu", "Startup"};

// Takes the user's Shell Folders key (or its four folder values) away for one test and puts back
// every value it held afterwards, whatever its type.
class HiddenShellFolders {
public:
    explicit HiddenShellFolders(bool removeKey)
    {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed_) {
            SaveValues(key);
            RegCloseKey(key);
        }
        TRegistry registry;
        if (removeKey) {
            registry.DeleteKey(kKey);
        } else if (registry.OpenKey(kKey, true)) {
            for (const char* name : kValueNames) registry.DeleteValue(name);
        }
    }
    ~HiddenShellFolders()
    {
        TRegistry registry;
        if (!existed_) {
            registry.DeleteKey(kKey);
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
            return;
        for (const TSavedValue& value : saved_)
            RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
    }
    HiddenShellFolders(const HiddenShellFolders&) = delete;
    HiddenShellFolders& operator=(const HiddenShellFolders&) = delete;

private:
    struct TSavedValue {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };

    void SaveValues(HKEY key)
    {
        for (DWORD index = 0;; ++index) {
            char name[16384];
            DWORD nameLength = sizeof name;
            std::vector<BYTE> data(65536);
            DWORD dataSize = static_cast<DWORD>(data.size());
            DWORD type = 0;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &dataSize) != 0) break;
            data.resize(dataSize);
            saved_.push_back({std::string(name, nameLength), type, std::move(data)});
        }
    }

    bool existed_ = false;
    std::vector<TSavedValue> saved_;
};

void ExpectFallbacks()
{
    const std::string windows = WindowsDir();
    EXPECT_EQ(ShellFolderPath(sfDesktop), windows + "\\Desktop\\");
    EXPECT_EQ(ShellFolderPath(sfPrograms), windows + "\\Start Menu\\Programs\\");
    EXPECT_EQ(ShellFolderPath(sfStartMenu), windows + "\\Start Menu\\");
    EXPECT_EQ(ShellFolderPath(sfStartup), windows + "\\Start Menu\\Programs\\StartUp\\");
}

TEST(ShellFolders, WindowsDirAndSystemDrive)
{
    const std::string windows = WindowsDir();
    EXPECT_TRUE(port::IsDirectory(windows)) << windows;
    EXPECT_NE(windows.back(), '\\');
    EXPECT_EQ(SystemDrive(), windows.substr(0, 2) + "\\");
}

TEST(ShellFolders, TheUsersFoldersComeFromTheRegistry)
{
    HiddenShellFolders restore(false);
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(kKey, true));
    writer.WriteString("Programs", "C:\\Somewhere\\Programs");
    writer.WriteString("Desktop", "C:\\Somewhere\\Desktop\\");
    EXPECT_EQ(ShellFolderPath(sfPrograms), "C:\\Somewhere\\Programs\\");
    EXPECT_EQ(ShellFolderPath(sfDesktop), "C:\\Somewhere\\Desktop\\") << "no second backslash";
    EXPECT_EQ(ShellFolderPath(sfStartup), WindowsDir() + "\\Start Menu\\Programs\\StartUp\\")
        << "a missing value falls back as a missing key does";
}

TEST(ShellFolders, WithoutTheKeyTheFoldersAreBelowWindows)
{
    HiddenShellFolders restore(true);
    ExpectFallbacks();
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
