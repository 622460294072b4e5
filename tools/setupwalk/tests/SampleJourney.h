#pragma once
// The sample product's journeys share this: its distribution of several disks made by the Windows mksetup
// in a scratch folder, what it leaves on the machine removed before and after each, and the system's own
// reading of folders, keys and INI files.
#include "port/Exception.h"
#include "testsupport/FileDates.h"
#include "testsupport/ScratchDir.h"
#include "tools/setupwalk/JourneyPictures.h"
#include "tools/setupwalk/SetupWalks.h"
#include "tools/setupwalk/WindowQuery.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

namespace sample_journey {

inline constexpr const char* kTitle = "Northwind Notes 2.0";
inline constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Northwind Notes 2.0";
// Every file of the product as the tests build it carries this date; installed files keep it.
inline const LocalDate kProductDate{2001, 5, 6, 12, 34, 56};

inline std::string WindowsDirectory()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\";
}

// Where the configuration's "System" places files: the System directory below the Windows directory.
inline std::string SystemDirectory()
{
    return WindowsDirectory() + "System\\";
}

inline std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string RegistryText(HKEY root, const std::string& key, const std::string& name)
{
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "(missing)";
    return value;
}

inline bool KeyExists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

inline std::string IniText(const std::string& file, const std::string& section, const std::string& key)
{
    char value[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", value, sizeof value, file.c_str());
    return value;
}

inline std::set<std::string> SetupTempDirs()
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(WindowsDirectory() + "temp"))
        if (entry.path().filename().string().rfind("z2000_", 0) == 0) names.insert(entry.path().filename().string());
    return names;
}

// Everything the sample may put on the machine, removed before and after each journey: the prefix is
// shared with the other test programs of the run, and a failed journey must not leave its installation.
class SampleLeftovers {
public:
    explicit SampleLeftovers(std::string installDir) : installDir_(std::move(installDir)) { Remove(); }
    ~SampleLeftovers() { Remove(); }
    SampleLeftovers(const SampleLeftovers&) = delete;
    SampleLeftovers& operator=(const SampleLeftovers&) = delete;

private:
    void Remove() const
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(installDir_, ignored))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const std::string& dir :
             {installDir_, ShellFolder(CSIDL_PROGRAMS) + "Northwind", ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Northwind",
              ShellFolder(CSIDL_STARTMENU) + "Northwind", ShellFolder(CSIDL_COMMON_PROGRAMS) + "Northwind",
              ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "Northwind",
              ShellFolder(CSIDL_COMMON_STARTMENU) + "Northwind"})
            std::filesystem::remove_all(dir, ignored);
        for (const std::string& file :
             {WindowsDirectory() + "nwnotes.ini", WindowsDirectory() + "notes.ini", SystemDirectory() + "nwhelper.txt",
              WindowsDirectory() + "nwnotes-postinstall.log", ShellFolder(CSIDL_STARTMENU) + "Northwind Notes.lnk",
              ShellFolder(CSIDL_STARTMENU) + "Read Me.lnk", ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Northwind Notes.lnk",
              ShellFolder(CSIDL_COMMON_STARTMENU) + "Northwind Notes.lnk",
              ShellFolder(CSIDL_COMMON_STARTMENU) + "Read Me.lnk",
              ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "Northwind Notes.lnk"})
            DeleteFileA(file.c_str());
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment",
                           "NORTHWIND_NOTES");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Northwind");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Northwind");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
        HKEY software64 = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &software64) == 0) {
            RegDeleteTreeA(software64, "Northwind");
            RegDeleteTreeA(software64, std::string(kUninstallKey).substr(9).c_str());
            RegCloseKey(software64);
        }
        DeleteFileA((WindowsDirectory() + "Sysnative\\nwhelper.txt").c_str());
    }

    std::string installDir_;
};

class EndToEnd : public ::testing::Test {
protected:
    // The sample as a distribution of several disks, made by the Windows mksetup in a scratch folder,
    // from a copy whose files all carry one date.
    void SetUp() override
    {
        std::filesystem::copy(SAMPLE_PRODUCT, scratch_ / "product", std::filesystem::copy_options::recursive);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch_ / "product")) {
            if (entry.is_regular_file()) {
                ASSERT_TRUE(SetLastWrite(entry.path().string(), kProductDate)) << entry.path();
            }
        }
        dist_ = MakeDistribution(scratch_ / "product", "dist");
        ASSERT_TRUE(Exists(dist_ + "disk.003")) << "several disks";
    }

    // A distribution of product in the scratch directory, made by the Windows mksetup with the setup program setup;
    // its directory.
    std::string MakeDistribution(const std::string& product, const std::string& name, const std::string& options = "",
                                 const std::string& setup = SETUP_EXE)
    {
        // No "\" before a closing quote: the program's argument parser would take the quote as text.
        const std::string arguments = "build \"" + product + "\" -o \"" + scratch_ / name + "\" --setup \"" + setup +
                                      "\" --seg-size 20000" + options;
        DrivenProcess mksetup(CommandLineOf(MKSETUP_EXE, arguments), scratch_.Path());
        EXPECT_EQ(mksetup.WaitForExit(SetupDriver::kPatienceMs), 0U) << "mksetup " << arguments;
        return scratch_ / name + "\\";
    }

    std::unique_ptr<SetupDriver> StartSetup(const std::string& dist)
    {
        return std::make_unique<SetupDriver>(CommandLineOf(dist + "setup.exe", ""), dist);
    }
    std::unique_ptr<SetupDriver> StartSetup() { return StartSetup(dist_); }

    // Waits for the program's next dialog and pictures it.
    ProcessDialog NextDialog(SetupDriver& setup)
    {
        std::optional<ProcessDialog> dialog = setup.WaitForDialog(SetupDriver::kPatienceMs);
        if (!dialog) throw Exception("setup.exe showed no dialog");
        pictures_.TakeWindow(dialog->Window, dialog->Caption);
        return *dialog;
    }

    static std::string Dismiss(const ProcessDialog& dialog, const std::string& button)
    {
        PressButton(dialog, button);
        WaitUntil([&] { return IsWindowVisible(dialog.Window) == FALSE; }, SetupDriver::kPatienceMs);
        return dialog.Message;
    }

    std::string Answer(SetupDriver& setup, const std::string& button) { return Dismiss(NextDialog(setup), button); }

    // A journey that kills setup.exe leaves its temporary directory; the shared prefix does not keep it.
    void TearDown() override
    {
        std::error_code ignored;
        for (const std::string& name : SetupTempDirs())
            if (tempDirsBefore_.count(name) == 0)
                std::filesystem::remove_all(WindowsDirectory() + "temp\\" + name, ignored);
    }

    void MoveDiskTwoAway() { std::filesystem::rename(dist_ + "disk.002", scratch_ / "disk.002"); }
    void BringDiskTwoBack() { std::filesystem::rename(scratch_ / "disk.002", dist_ + "disk.002"); }

    ScratchDir scratch_;
    std::string dist_;
    const std::set<std::string> tempDirsBefore_ = SetupTempDirs();
    JourneyPictures pictures_{SCREENSHOT_DIR,
                              "journey-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name())};
};

// What the system is to remove at the next restart, one NT path a line.
inline std::string PendingRemovals()
{
    std::string list(65536, '\0');
    DWORD size = static_cast<DWORD>(list.size());
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                     "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, list.data(), &size) != ERROR_SUCCESS)
        return "";
    list.resize(size);
    std::replace(list.begin(), list.end(), '\0', '\n');
    return list;
}

struct SilentRun {
    DWORD ExitCode = STILL_ACTIVE;
    bool ShowedAWindow = false;
    std::string Log;
};

// commandLine with /S and /LOG= before its arguments, run to its end in directory, watched for any visible
// top-level window it shows meanwhile.
inline SilentRun RunSilently(const std::string& program, const std::string& arguments, const std::string& directory,
                             const std::string& log, const std::function<void(DWORD)>& beforeRun = nullptr)
{
    SilentRun run;
    {
        DrivenProcess process(CommandLineOf(program, "/S \"/LOG=" + log + "\" " + arguments), directory, beforeRun);
        WaitUntil(
            [&] {
                if (!process.VisibleWindows().empty()) run.ShowedAWindow = true;
                return !process.Running();
            },
            SetupDriver::kPatienceMs);
        run.ExitCode = process.WaitForExit(0);
    }
    run.Log = ScratchDir::Read(log);
    return run;
}

}  // namespace sample_journey
