// setup.exe as the user starts it: its mode, title and uninstaller page, read from outside the process, and its
// version resource.
#include "SetupProcess.h"
#include "SetupVersion.h"
#include "UninstallEntry.h"
#include "testsupport/ScratchDir.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kUninstallTitle = "ZUV2000 - Uninstaller";

// The page of the notebook that is shown.
std::string ShownPage(HWND screen)
{
    for (int page = ControlId::page1; page <= ControlId::Uninstaller; ++page) {
        HWND window = SetupProcess::Control(screen, page);
        if (window != nullptr && IsWindowVisible(window) != FALSE) return SetupProcess::Text(window);
    }
    return "";
}

std::string TextOf(HWND screen, int id)
{
    return SetupProcess::Text(SetupProcess::Control(screen, id));
}

TEST(SetupExe, InAFolderWithTheUninstallRecordItComesUpAsUninstaller)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "uninstaller.cfg", "[Name]\r\nTitle=SetupTests Product\r\n");
    ScratchDir::Write(installed / "install.cfg", "[Setup Screen]\r\nText Line 1=SetupTests Product\r\n");
    SetupProcess setup("", installed.Path());
    ASSERT_TRUE(setup.Started());
    HWND screen = setup.WaitForWindow(kUninstallTitle);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ShownPage(screen), "Uninstaller");
    EXPECT_EQ(TextOf(screen, ControlId::TextInfo1), "SetupTests Product");
    EXPECT_EQ(TextOf(screen, ControlId::Remove), "&Uninstall");
    EXPECT_FALSE(IsWindowVisible(SetupProcess::Control(screen, ControlId::Panel1)));

    PostMessageA(screen, WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(), 0U);
}

TEST(SetupExe, ArgumentsNameTheEntryThatLeadsToTheInstalledCopy)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "install.cfg", "[Setup Screen]\r\nText Line 1=Installed Product\r\n");
    UninstallEntry entry("SetupTests Installed");
    entry.Write("UninstallString", "\"" + installed.Path() + "setup.exe\" SetupTests Installed");

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    SetupProcess setup("SetupTests Installed", windows);
    HWND screen = setup.WaitForWindow(kUninstallTitle);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ShownPage(screen), "Uninstaller");
    EXPECT_EQ(TextOf(screen, ControlId::TextInfo1), "Installed Product") << "the installed copy's configuration";
    EXPECT_EQ(TextOf(screen, ControlId::Remove), "&Uninstall");

    PostMessageA(screen, WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(), 0U);
}

TEST(SetupExe, ATitleWithoutAnUninstallEntryOffersOnlyExit)
{
    ScratchDir elsewhere;
    SetupProcess setup("SetupTests Never Installed", elsewhere.Path());
    HWND screen = setup.WaitForWindow(kUninstallTitle);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ShownPage(screen), "Uninstaller");
    EXPECT_EQ(TextOf(screen, ControlId::TextInfo1), "No Uninstall Information Found!!");
    EXPECT_EQ(TextOf(screen, ControlId::TextInfo4), "ZUV2000 Uninstaller | Halvex, Inc.");
    HWND exitButton = SetupProcess::Control(screen, ControlId::Remove);
    EXPECT_EQ(SetupProcess::Text(exitButton), "EXIT");

    PostMessageA(exitButton, BM_CLICK, 0, 0);
    EXPECT_EQ(setup.WaitForExit(), 0U) << "EXIT ends the program";
}

TEST(SetupExe, AnUninstallRecordWithoutATitleOffersOnlyExit)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "uninstaller.cfg", "[Name]\r\n");
    SetupProcess setup("", installed.Path());
    HWND screen = setup.WaitForWindow(kUninstallTitle);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(TextOf(screen, ControlId::TextInfo1), "No Uninstall Information Found!!");
    EXPECT_EQ(TextOf(screen, ControlId::Remove), "EXIT");
    PostMessageA(screen, WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(), 0U);
}

// Every product ships this one program: its file properties carry the project's version and say what it is.
TEST(SetupExe, VersionResourceCarriesTheProjectVersion)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(SETUP_EXE, &handle);
    ASSERT_GT(size, 0U) << SETUP_EXE << " has no version resource";
    std::vector<char> info(size);
    ASSERT_NE(GetFileVersionInfoA(SETUP_EXE, 0, size, info.data()), FALSE);
    const auto text = [&](const std::string& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::string path = "\\StringFileInfo\\040904E4\\" + name;
        if (VerQueryValueA(info.data(), path.c_str(), &value, &length) == FALSE || length == 0) return std::string();
        return std::string(static_cast<const char*>(value));
    };
    EXPECT_EQ(text("FileVersion"), SETUP_VERSION_TEXT);
    EXPECT_EQ(text("ProductVersion"), SETUP_VERSION_TEXT);
    EXPECT_EQ(text("FileDescription"), "Setup program");

    void* value = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueA(info.data(), "\\", &value, &length), FALSE);
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, SETUP_VERSION_TEXT);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
}

}  // namespace
