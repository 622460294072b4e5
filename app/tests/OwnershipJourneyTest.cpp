// The rule of ownership on a machine with a life of its own: a user's key, INI file and folder that the
// product writes into, the system's environment as the target of an entry, files of the user's in the
// destination (one read-only, one held open by another program, one the product replaces, one unrelated), and
// an earlier installation of the same product. Installed twice and then uninstalled, the machine is as it was,
// but for the file the installation replaced.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "InstallTestSupport.h"
#include "SavedPendingRenames.h"
#include "ScriptedUninstallView.h"
#include "UninstallEntry.h"
#include "app/install/InstallEngine.h"
#include "app/install/InstallJournal.h"
#include "app/install/JournalEntry.h"
#include "app/install/UninstallKey.h"
#include "app/product/Destinations.h"
#include "app/uninstall/UninstallEngine.h"
#include "port/Exception.h"
#include "shell/ShellFolders.h"
#include "testsupport/win32/HeldFile.h"
#include "testsupport/win32/MachineSnapshot.h"

namespace {

constexpr const char* kTitle = "SetupTests Ownership Journey";
constexpr const char* kProductId = "SetupTests.Journey";
constexpr const char* kEnvironment = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::string ProgramFiles()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

// What the test puts on the machine, and whatever a failed run leaves of the product, taken away afterwards.
class JourneyLeftovers {
public:
    JourneyLeftovers(std::string destination, std::vector<std::string> files)
        : destination_(std::move(destination)), files_(std::move(files))
    {
        Remove();
    }
    ~JourneyLeftovers() { Remove(); }
    JourneyLeftovers(const JourneyLeftovers&) = delete;
    JourneyLeftovers& operator=(const JourneyLeftovers&) = delete;

private:
    void Remove() const
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(destination_, ignored))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(destination_, ignored);
        for (const std::string& dir : {ShellFolderPath(sfPrograms), ShellFolderPath(sfStartMenu),
                                       ShellFolderPath(sfDesktop)})
            std::filesystem::remove_all(dir + "SetupTests Journey", ignored);
        for (const std::string& file : files_) DeleteFileA(file.c_str());
        for (const std::string& link : {ShellFolderPath(sfStartMenu), ShellFolderPath(sfDesktop)})
            DeleteFileA((link + "Journey Tool.lnk").c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupTestsJourney");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\SetupTestsJourneyProduct");
        for (const char* key : {kTitle, kProductId}) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(key).c_str());
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, JournalKeyPath(key).c_str());
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kJournalsKey);
    }

    std::string destination_;
    std::vector<std::string> files_;
};

class OwnershipJourney : public ::testing::Test {
protected:
    OwnershipJourney()
    {
        global_.TempDir = scratch_ / "Temp\\";
        CreateDirectoryA(global_.TempDir.c_str(), nullptr);
        for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg", "readonly.txt", "held.txt",
                                 "replaced.txt", "readme.txt", "data.txt", "setuptests-journey.txt"})
            ScratchDir::Write(global_.TempDir + name, std::string("the product's ") + name);
        choices_.InstallDir = destination_;
        choices_.Title = kTitle;
        choices_.ShortcutRows = {true, true, false};
        choices_.FolderDesktop = true;
    }

    // The user's things, as they were before any installation.
    void PrepareTheMachine() const
    {
        TRegistry user(HKEY_CURRENT_USER);
        ASSERT_TRUE(user.OpenKey("Software\\SetupTestsJourney\\Settings", true));
        user.WriteString("Other", "keep");
        ASSERT_TRUE(user.OpenKey("Software\\SetupTestsJourney\\Settings\\Sub", true));
        user.WriteString("X", "1");
        ScratchDir::Write(windows_ + "setuptests-journey.ini", "[Other]\r\na=1\r\n[Settings]\r\nb=2\r\n");
        CreateDirectoryA(destination_.c_str(), nullptr);
        CreateDirectoryA((destination_ + "Mine").c_str(), nullptr);
        for (const char* name : {"readonly.txt", "held.txt", "replaced.txt", "unrelated.txt", "Mine\\notes.txt"})
            ScratchDir::Write(destination_ + name, std::string("the user's ") + name);
        SetFileAttributesA((destination_ + "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }

    TInstallOutcome Install()
    {
        global_.InstallFiles = {"Installation Directory,C:\\src\\readonly.txt",
                                "Installation Directory,C:\\src\\held.txt",
                                "Installation Directory,C:\\src\\replaced.txt",
                                "Installation Directory,C:\\src\\readme.txt",
                                "Installation Directory,Data,C:\\src\\data.txt",
                                "Installation Directory,Logs,",
                                "Windows,C:\\src\\setuptests-journey.txt"};
        global_.DestinationFiles = ResolveDestinations(global_.InstallFiles, destination_);
        global_.ShortcutEntries = {"Journey Tool,<InstallDir>\\readme.txt,X,X,,,SetupTests Journey\\Tools,"};
        global_.RegistryEntries = {
            "HKEY_CURRENT_USER\\Software\\SetupTestsJourney,Settings,Mine,1",
            "HKEY_LOCAL_MACHINE\\Software\\SetupTestsJourneyProduct\\Notes,Install,Edition,Standard",
            "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager,Environment,SETUPTESTS_JOURNEY,1",
            "setuptests-journey.ini,Settings,Theme,Dark",
            "setuptests-journey.ini,Added,Key,Value",
            "setuptests-journey-own.ini,Options,Color,Blue"};
        return RunInstallation(global_, choices_, progress_);
    }

    // Uninstalled from its entry: how the machine differs from before, but for the file the installation replaced.
    std::vector<std::string> UninstalledBesidesTheReplacedFile(const MachineSnapshot& before) const
    {
        ScriptedUninstallView view({caAll});
        RunUninstall({destination_, kTitle, FoundUninstallEntry(kTitle), false}, view);
        std::vector<std::string> unexpected;
        for (const std::string& difference : before.DifferencesTo(MachineSnapshot::Take(destination_)))
            if (difference != "- file " + UpperCase(destination_) + "REPLACED.TXT") unexpected.push_back(difference);
        return unexpected;
    }

    ScratchDir scratch_;
    const std::string windows_ = WindowsDir() + "\\";
    const std::string destination_ = ProgramFiles() + "SetupTests Journey\\";
    JourneyLeftovers leftovers_{destination_,
                                {windows_ + "setuptests-journey.ini", windows_ + "setuptests-journey-own.ini",
                                 windows_ + "setuptests-journey.txt"}};
    SavedPendingRenames pending_;
    SavedValue variable_{HKEY_LOCAL_MACHINE, kEnvironment, "SETUPTESTS_JOURNEY"};
    TGlobal global_;
    TInstallChoices choices_;
    ProgressRecorder progress_;
};

// The run is stopped at each line of its journal in turn, after the line is written and before the change it
// announces; each time the machine must be as it was before the run: compared where the product writes after
// every step, and whole once all steps are done. The number of runs stopped: the run after them completes.
int StopAtEveryStep(const std::function<TInstallOutcome()>& install, const std::string& destination,
                    const SavedPendingRenames& pending, const std::string& when)
{
    const std::vector<RegistryPlace> written{
        {HKEY_CURRENT_USER, "Software\\SetupTestsJourney"},
        {HKEY_LOCAL_MACHINE, "Software\\SetupTestsJourneyProduct"},
        {HKEY_LOCAL_MACHINE, kEnvironment},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
        {HKEY_LOCAL_MACHINE, "Software\\Setup Journals"}};
    const MachineSnapshot whole = MachineSnapshot::Take(destination);
    const MachineSnapshot before = MachineSnapshot::TakeWithin(destination, written);
    const std::wstring pendingBefore = pending.AddedWide();
    int step = 1;
    for (;; ++step) {
        SetJournalStepSeam([step](int line) {
            if (line == step) throw Exception("Stopped at step " + std::to_string(step));
        });
        try {
            install();
            break;
        } catch (const Exception& error) {
            EXPECT_EQ(error.what(), "Stopped at step " + std::to_string(step) +
                                        "\r\n\r\nThe installation was not "
                                        "completed, and what it had changed has been undone. The computer is as it was "
                                        "before.")
                << when;
        }
        SetJournalStepSeam(nullptr);
        EXPECT_EQ(before.DifferencesTo(MachineSnapshot::TakeWithin(destination, written)), std::vector<std::string>())
            << when << ", stopped at step " << step;
        EXPECT_EQ(pending.AddedWide(), pendingBefore) << when << ", stopped at step " << step;
        if (step == 1) {
            EXPECT_EQ(whole.DifferencesTo(MachineSnapshot::Take(destination)), std::vector<std::string>()) << when;
        }
    }
    SetJournalStepSeam(nullptr);
    return step - 1;
}

TEST_F(OwnershipJourney, AnInstallationStoppedAtAnyStepLeavesTheMachineAsItWas)
{
    PrepareTheMachine();
    const MachineSnapshot untouched = MachineSnapshot::Take(destination_);
    const auto install = [this] { return Install(); };
    {
        HeldFile held(destination_ + "held.txt");
        // Some forty lines each: files, folders, shortcuts, keys, values and INI keys, each kind journaled.
        EXPECT_GT(StopAtEveryStep(install, destination_, pending_, "fresh"), 30);
        EXPECT_GT(StopAtEveryStep(install, destination_, pending_, "over the earlier installation"), 30);
    }
    EXPECT_EQ(UninstalledBesidesTheReplacedFile(untouched), std::vector<std::string>())
        << "the earlier installation uninstalls as before";
}

TEST_F(OwnershipJourney, InstallingTwiceAndUninstallingLeavesTheMachineAsItWas)
{
    PrepareTheMachine();
    const MachineSnapshot before = MachineSnapshot::Take(destination_);

    {
        HeldFile held(destination_ + "held.txt");
        for (int installation = 1; installation <= 2; ++installation) {
            const TInstallOutcome outcome = Install();
            EXPECT_EQ(OutcomeMessage(outcome),
                      "These files were not installed:\r\n" + destination_ +
                          "readonly.txt (the file there is read-only)\r\n\r\n"
                          "These files are in use and will be replaced when Windows restarts:\r\n" +
                          destination_ + "held.txt")
                << "installation " << installation;
        }
        EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsJourney\\Settings", "Mine"), "1");
        EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kEnvironment, "SETUPTESTS_JOURNEY"), "1");
    }
    EXPECT_EQ(UninstalledBesidesTheReplacedFile(before), std::vector<std::string>())
        << "only the file the installation replaced is gone";
    EXPECT_EQ(ScratchDir::Read(destination_ + "held.txt"), "the user's held.txt");
    EXPECT_EQ(pending_.Added(), "");
}

// Version 1.0 and then 2.0 of one product id, which no longer installs old.txt nor writes the key "Old".
class UpgradeJourney : public OwnershipJourney {
protected:
    TInstallOutcome InstallVersion(int version, const std::string& destination)
    {
        choices_.InstallDir = destination;
        choices_.ProductId = kProductId;
        choices_.Title = "SetupTests Journey " + std::to_string(version) + ".0";
        global_.InstallSettings.ProductVersion = std::to_string(version) + ".0";
        global_.InstallSettings.Publisher = "Setup Tests";
        global_.InstallSettings.DisplayIcon = "<InstallDir>\\readme.txt";
        global_.InstallSettings.HelpLink = "https://example.com/help";
        global_.InstallSettings.AboutLink = version == 1 ? "https://example.com/about" : "";
        global_.InstallFiles = {"Installation Directory,C:\\src\\readme.txt",
                                "Installation Directory,Data,C:\\src\\data.txt"};
        if (version == 1) global_.InstallFiles.push_back("Installation Directory,Data,C:\\src\\old.txt");
        global_.DestinationFiles = ResolveDestinations(global_.InstallFiles, destination);
        global_.ShortcutEntries = {"Journey Tool,<InstallDir>\\readme.txt,X,,,,SetupTests Journey\\Tools,"};
        global_.RegistryEntries = {"HKEY_LOCAL_MACHINE\\Software\\SetupTestsJourneyProduct,Notes,Edition,Standard"};
        if (version == 1)
            global_.RegistryEntries.push_back("HKEY_LOCAL_MACHINE\\Software\\SetupTestsJourneyProduct,Old,Kept,1");
        ScratchDir::Write(global_.TempDir + "old.txt", "the product's old.txt");
        return RunInstallation(global_, choices_, progress_);
    }

    // Every value of the entry, as "name=data" ("#" and the number for a DWORD), but the date.
    static std::vector<std::string> EntryValues()
    {
        std::vector<std::string> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKeyPath(kProductId).c_str(), 0, KEY_READ, &key) != 0)
            return values;
        char name[256];
        BYTE data[1024];
        for (DWORD index = 0;; ++index) {
            DWORD nameSize = sizeof name, type = 0, dataSize = sizeof data - 1;
            if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != 0) break;
            data[dataSize] = 0;
            const std::string text = type == REG_DWORD ? "#" + std::to_string(*reinterpret_cast<DWORD*>(data))
                                                       : reinterpret_cast<const char*>(data);
            values.push_back(std::string(name) + "=" + (std::string(name) == "InstallDate" ? "" : text));
        }
        RegCloseKey(key);
        std::sort(values.begin(), values.end());
        return values;
    }

    static std::string Today()
    {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return std::to_string(now.wYear * 10000 + now.wMonth * 100 + now.wDay);
    }

    // The kilobytes of the files a version places, rounded up, as the entry counts them.
    std::string Kilobytes(const std::string& destination) const
    {
        std::uintmax_t bytes = 0;
        for (const char* file : {"readme.txt", "Data\\data.txt", "setup.exe", "install.cfg", "finstall.cfg"})
            bytes += std::filesystem::file_size(destination + file);
        return "#" + std::to_string((bytes + 1023) / 1024);
    }

    std::vector<std::string> ExpectedEntry(const std::string& destination) const
    {
        const std::string program = "\"" + destination + "setup.exe\"";
        return {"DisplayIcon=" + destination + "readme.txt",
                "DisplayName=SetupTests Journey 2.0",
                "DisplayVersion=2.0",
                "EstimatedSize=" + Kilobytes(destination),
                "HelpLink=https://example.com/help",
                "InstallDate=",
                "InstallLocation=" + destination,
                "NoModify=#1",
                "NoRepair=#1",
                "Publisher=Setup Tests",
                "QuietUninstallString=" + program + " /S -- SetupTests.Journey",
                "UninstallString=" + program + " -- SetupTests.Journey"};
    }

    // Uninstalled as Windows starts it, from the id's entry.
    void Uninstall(const std::string& destination) const
    {
        ScriptedUninstallView view({caAll});
        RunUninstall({destination, "SetupTests Journey 2.0", FoundUninstallEntry(kProductId), false}, view);
    }
};

TEST_F(UpgradeJourney, InPlaceOneEntryShowsTheNewVersionAndWhatItDroppedIsGone)
{
    CreateDirectoryA(destination_.c_str(), nullptr);
    const MachineSnapshot before = MachineSnapshot::Take(destination_);
    InstallVersion(1, destination_);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kProductId), "URLInfoAbout"),
              "https://example.com/about");
    InstallVersion(2, destination_);

    EXPECT_EQ(EntryValues(), ExpectedEntry(destination_)) << "one entry, with 2.0's values only";
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kProductId), "InstallDate"), Today());
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath("SetupTests Journey 1.0")));
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath("SetupTests Journey 2.0")));
    EXPECT_FALSE(std::filesystem::exists(destination_ + "Data\\old.txt")) << "2.0 no longer installs it";
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists("Software\\SetupTestsJourneyProduct\\Old"));
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\SetupTestsJourneyProduct\\Notes", "Edition"), "Standard");

    Uninstall(destination_);
    EXPECT_EQ(before.DifferencesTo(MachineSnapshot::Take(destination_)), std::vector<std::string>());
}

// Elsewhere, 1.0 goes once 2.0 is in place; stopped at any step before its end, 2.0 leaves 1.0 as it was.
TEST_F(UpgradeJourney, ToAnotherFolderTheEarlierGoesAndAFailedUpgradeLeavesItWorking)
{
    CreateDirectoryA(destination_.c_str(), nullptr);
    const std::string first = destination_ + "One\\";
    const std::string second = destination_ + "Two\\";
    const MachineSnapshot before = MachineSnapshot::Take(destination_);
    InstallVersion(1, first);
    EXPECT_GT(StopAtEveryStep([&] { return InstallVersion(2, second); }, destination_, pending_, "an upgrade"), 20);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kProductId), "DisplayVersion"), "2.0");

    EXPECT_EQ(EntryValues(), ExpectedEntry(second));
    EXPECT_FALSE(std::filesystem::exists(first)) << "1.0's folder, emptied, is gone";
    EXPECT_NE(std::find(progress_.Logged.begin(), progress_.Logged.end(),
                        "Upgrading the installation of SetupTests.Journey in " + first),
              progress_.Logged.end());
    Uninstall(second);
    EXPECT_EQ(before.DifferencesTo(MachineSnapshot::Take(destination_)), std::vector<std::string>());
}

}  // namespace
