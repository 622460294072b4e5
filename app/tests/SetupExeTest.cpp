// setup.exe as the user starts it: its mode, title and uninstaller page, read from outside the process, and its
// version resource.
#include "SetupVersion.h"
#include "UninstallEntry.h"
#include "app/screen/ControlIds.h"
#include "testsupport/ScratchDir.h"
#include "tools/setupwalk/DrivenProcess.h"
#include "tools/setupwalk/SetupDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kUninstallTitle = "ZUV2000 - Uninstaller";

// setup.exe started in directory, driven from outside as a user would drive it.
SetupDriver StartSetup(const std::string& arguments, const std::string& directory)
{
    return SetupDriver(CommandLineOf(SETUP_EXE, arguments), directory);
}

std::string ShownPage(const SetupDriver& setup)
{
    return setup.PageName(setup.ShownPage());
}

void Close(SetupDriver& setup)
{
    PostMessageA(setup.Screen(), WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(SetupDriver::kPatienceMs), 0U);
}

// The record is the product's only in the folder its uninstall entry names: one planted in a download folder
// beside setup.exe offers nothing to remove, and says why.
TEST(SetupExe, InAFolderWithTheUninstallRecordItComesUpAsUninstallerWhereTheEntryLeads)
{
    ScratchDir installed;
    ScratchDir downloads;
    for (const ScratchDir* dir : {&installed, &downloads}) {
        ScratchDir::Write(*dir / "uninstaller.cfg", "[Name]\r\nTitle=SetupTests Product\r\n");
        ScratchDir::Write(*dir / "install.cfg", "[Setup Screen]\r\nText Line 1=SetupTests Product\r\n");
    }
    UninstallEntry entry("SetupTests Product");
    entry.Write("UninstallString", "\"" + installed.Path() + "setup.exe\" -- SetupTests Product");

    SetupDriver setup = StartSetup("", installed.Path());
    setup.WaitForScreen(kUninstallTitle);
    EXPECT_EQ(ShownPage(setup), "Uninstaller");
    EXPECT_EQ(setup.Caption(ControlId::TextInfo1), "SetupTests Product");
    EXPECT_EQ(setup.Caption(ControlId::Remove), "&Uninstall");
    EXPECT_FALSE(setup.Visible(ControlId::Panel1));
    Close(setup);

    SetupDriver planted = StartSetup("", downloads.Path());
    planted.WaitForScreen(kUninstallTitle);
    EXPECT_EQ(planted.Caption(ControlId::TextInfo1), "No Uninstall Information Found!!");
    EXPECT_EQ(planted.Caption(ControlId::TextInfo2),
              "No uninstall entry of SetupTests Product names " + downloads.Path() + ": the record there is not used");
    EXPECT_EQ(planted.Caption(ControlId::Remove), "EXIT");
    Close(planted);
}

TEST(SetupExe, ArgumentsNameTheEntryThatLeadsToTheInstalledCopy)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "install.cfg", "[Setup Screen]\r\nText Line 1=Installed Product\r\n");
    UninstallEntry entry("SetupTests Installed");
    entry.Write("UninstallString", "\"" + installed.Path() + "setup.exe\" SetupTests Installed");

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    SetupDriver setup = StartSetup("SetupTests Installed", windows);
    setup.WaitForScreen(kUninstallTitle);
    EXPECT_EQ(ShownPage(setup), "Uninstaller");
    EXPECT_EQ(setup.Caption(ControlId::TextInfo1), "Installed Product") << "the installed copy's configuration";
    EXPECT_EQ(setup.Caption(ControlId::Remove), "&Uninstall");
    Close(setup);
}

TEST(SetupExe, ATitleWithoutAnUninstallEntryOffersOnlyExit)
{
    ScratchDir elsewhere;
    SetupDriver setup = StartSetup("SetupTests Never Installed", elsewhere.Path());
    setup.WaitForScreen(kUninstallTitle);
    EXPECT_EQ(ShownPage(setup), "Uninstaller");
    EXPECT_EQ(setup.Caption(ControlId::TextInfo1), "No Uninstall Information Found!!");
    EXPECT_EQ(setup.Caption(ControlId::TextInfo4), "ZUV2000 Uninstaller | Halvex, Inc.");
    EXPECT_EQ(setup.Caption(ControlId::Remove), "EXIT");

    setup.Click(ControlId::Remove);
    EXPECT_EQ(setup.WaitForExit(SetupDriver::kPatienceMs), 0U) << "EXIT ends the program";
}

TEST(SetupExe, AnUninstallRecordWithoutATitleOffersOnlyExit)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "uninstaller.cfg", "[Name]\r\n");
    SetupDriver setup = StartSetup("", installed.Path());
    setup.WaitForScreen(kUninstallTitle);
    EXPECT_EQ(setup.Caption(ControlId::TextInfo1), "No Uninstall Information Found!!");
    EXPECT_EQ(setup.Caption(ControlId::Remove), "EXIT");
    Close(setup);
}

// The processes put into it end when it closes: whatever a failed run leaves waiting, cmd.exe's children too.
class KillOnClose {
public:
    KillOnClose() : job_(CreateJobObjectA(nullptr, nullptr))
    {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    ~KillOnClose() { CloseHandle(job_); }
    KillOnClose(const KillOnClose&) = delete;
    KillOnClose& operator=(const KillOnClose&) = delete;

    void Take(DWORD processId) const
    {
        const HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, processId);
        AssignProcessToJobObject(job_, process);
        CloseHandle(process);
    }

private:
    HANDLE job_;
};

// Asked for on a command line, the help goes where that command line sends setup.exe's output, and nothing else
// happens: no window, exit code 0. cmd.exe stands for the user's console: under Wine a program started from a
// Unix shell has no parent console.
TEST(SetupExe, HelpGoesWhereTheCommandLineSendsTheOutput)
{
    for (const char* help : {"/?", "/help"}) {
        ScratchDir dir;
        const KillOnClose job;
        DrivenProcess cmd("cmd.exe /c \"" + CommandLineOf(SETUP_EXE, help) + " > out.txt\"", dir.Path(),
                          [&job](DWORD processId) { job.Take(processId); });
        EXPECT_EQ(cmd.WaitForExit(SetupDriver::kPatienceMs), 0U) << help;
        const std::string out = ScratchDir::Read(dir / "out.txt");
        for (const char* listed : {"/S ", "/LOG=FILE ", "/D=DIR ", "-- ", "/? ", "/HELP ", "Exit codes:"})
            EXPECT_NE(out.find(listed), std::string::npos) << help << " lists " << listed << " in:\n" << out;
    }
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

// Windows reads these from the file before the first statement runs; Wine gives every program the display's real
// scale whatever it declares, so only the built file shows them.
TEST(SetupExe, ManifestDeclaresPerMonitorScalingAndTheWindowsItSupports)
{
    HMODULE image = LoadLibraryExA(SETUP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr) << SETUP_EXE;
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr) << "no manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    FreeLibrary(image);
    const std::string declarations[] = {
        // The newest form first, with the older per-monitor form where version 2 is unknown (Windows 10 before
        // 1703), and Windows 8.1's.
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">",
        // Windows Vista, 7, 8, 8.1 and 10, which Windows 11 shares.
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
        "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">"};
    for (const std::string& declaration : declarations)
        EXPECT_NE(manifest.find(declaration), std::string::npos) << declaration;
}

}  // namespace
