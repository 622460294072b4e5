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
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, JournalKeyPath(kTitle).c_str());
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

}  // namespace
