// An installation that does not finish leaves the machine as it was: killed part-way, it is undone by the next start
// of setup.exe before anything else; stopped by closing the window and answering Yes, it undoes itself.
#include "SampleJourney.h"
#include "app/screen/ControlIds.h"
#include "testsupport/win32/MachineSnapshot.h"
#include "testsupport/win32/SmallDrive.h"
#include "tools/setupwalk/InstalledProduct.h"

#include <algorithm>
#include <filesystem>

namespace {

using namespace sample_journey;

constexpr const char* kUndone = "The computer is as it was before.";

// The changes from before to now that are not the installation journal of the product.
std::vector<std::string> BesidesTheJournal(const MachineSnapshot& before, const std::string& dir)
{
    std::vector<std::string> changes = before.DifferencesTo(MachineSnapshot::Take(dir));
    std::erase_if(changes, [](const std::string& change) {
        return change.starts_with("+ key HKLM\\SOFTWARE\\SETUP JOURNALS") ||
               change.starts_with("+ value HKLM\\SOFTWARE\\SETUP JOURNALS\\NORTHWIND NOTES 2.0|");
    });
    return changes;
}

// The sample installed silently onto the small drive S:, filled up but for 100 KB beforehand: the run stops naming the
// file it could not write, undoes, and S: and the machine are as they were.
TEST_F(EndToEnd, ASilentInstallOntoAFullDriveIsUndone)
{
    if (const std::string missing = SmallDriveMissing(); !missing.empty()) GTEST_SKIP() << missing;
    const std::string destination = kSmallDrive + "Northwind";
    SampleLeftovers leftovers(destination + "\\");
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(kSmallDrive.c_str(), &available, nullptr, nullptr));
    const std::string filler = kSmallDrive + "filler.bin";
    ScratchDir::Write(filler, std::string(static_cast<std::size_t>(available.QuadPart) - 100 * 1024, 'f'));
    const MachineSnapshot before = MachineSnapshot::Take(destination + "\\");

    const SilentRun run = RunSilently(dist_ + "setup.exe", "/D=" + destination, dist_, scratch_ / "full.log");

    EXPECT_EQ(run.ExitCode, 1U) << run.Log;
    EXPECT_NE(run.Log.find("Error: Cannot write " + destination + "\\"), std::string::npos) << run.Log;
    EXPECT_NE(run.Log.find(std::string("has been undone. ") + kUndone), std::string::npos) << run.Log;
    EXPECT_EQ(before.DifferencesTo(MachineSnapshot::Take(destination + "\\")), std::vector<std::string>());
    std::vector<std::string> onTheDrive;
    for (const auto& entry : std::filesystem::directory_iterator(kSmallDrive))
        onTheDrive.push_back(entry.path().filename().string());
    EXPECT_EQ(onTheDrive, std::vector<std::string>{"filler.bin"});
    EXPECT_EQ(SetupTempDirs(), tempDirsBefore_);
    DeleteFileA(filler.c_str());
}

// The first run is killed once it has placed files; the second, killed at its own first step, has by then undone the
// first, so that nothing is left but its own journal; the third undoes that and installs.
TEST_F(EndToEnd, ASilentInstallKilledPartWayIsUndoneByTheNextStartBeforeAnythingElse)
{
    const std::string destination = "C:\\Killed Dest";
    const std::string dir = destination + "\\";
    SampleLeftovers leftovers(dir);
    const std::string killable = MakeDistribution(scratch_ / "product", "killable", "", KILLABLE_SETUP_EXE);
    const MachineSnapshot before = MachineSnapshot::Take(dir);
    const auto killedAt = [&](const char* step, const std::string& log) {
        SetEnvironmentVariableA("SETUP_TEST_KILL_AT_STEP", step);
        const SilentRun run = RunSilently(killable + "setup.exe", "/D=" + destination, killable, scratch_ / log);
        SetEnvironmentVariableA("SETUP_TEST_KILL_AT_STEP", nullptr);
        return run;
    };

    EXPECT_EQ(killedAt("20", "first.log").ExitCode, 99U);
    EXPECT_TRUE(Exists(dir + "uninstaller.cfg")) << "killed part-way";
    EXPECT_FALSE(BesidesTheJournal(before, dir).empty());

    const SilentRun second = killedAt("1", "second.log");
    EXPECT_EQ(second.ExitCode, 99U);
    EXPECT_NE(second.Log.find(std::string("An installation of ") + kTitle + " that did not finish has been undone. " +
                              kUndone),
              std::string::npos)
        << second.Log;
    EXPECT_EQ(BesidesTheJournal(before, dir), std::vector<std::string>());
    EXPECT_EQ(SetupTempDirs().size(), tempDirsBefore_.size() + 1) << "the second run's scratch folder alone";

    const SilentRun third = RunSilently(dist_ + "setup.exe", "/D=" + destination, dist_, scratch_ / "third.log");
    EXPECT_EQ(third.ExitCode, 0U) << third.Log;
    EXPECT_NE(third.Log.find(kUndone), std::string::npos) << third.Log;
    EXPECT_TRUE(FindInstalledProduct(kTitle).has_value());
    EXPECT_EQ(SetupTempDirs(), tempDirsBefore_);
}

// A reinstallation killed early among its files: the earlier installation's uninstaller, started from its entry,
// undoes the reinstallation before anything else and then removes the earlier installation.
TEST_F(EndToEnd, AReinstallationKilledPartWayIsUndoneByTheUninstallerBeforeItRemoves)
{
    const std::string destination = "C:\\Killed Reinstall";
    const std::string dir = destination + "\\";
    SampleLeftovers leftovers(dir);
    const std::string killable = MakeDistribution(scratch_ / "product", "killable", "", KILLABLE_SETUP_EXE);
    ASSERT_EQ(RunSilently(dist_ + "setup.exe", "/D=" + destination, dist_, scratch_ / "install.log").ExitCode, 0U);
    const MachineSnapshot installed = MachineSnapshot::Take(dir);
    SetEnvironmentVariableA("SETUP_TEST_KILL_AT_STEP", "12");
    EXPECT_EQ(RunSilently(killable + "setup.exe", "/D=" + destination, killable, scratch_ / "killed.log").ExitCode,
              99U);
    SetEnvironmentVariableA("SETUP_TEST_KILL_AT_STEP", nullptr);
    EXPECT_FALSE(BesidesTheJournal(installed, dir).empty()) << "killed part-way";

    const std::optional<InstalledProduct> product = FindInstalledProduct(kTitle);
    ASSERT_TRUE(product.has_value()) << "the earlier installation's entry";
    const SilentRun removed =
        RunSilently(product->Directory + "setup.exe", kTitle, WindowsDirectory(), scratch_ / "uninstall.log");
    EXPECT_EQ(removed.ExitCode, 0U) << removed.Log;
    const std::size_t undone = removed.Log.find(std::string("that did not finish has been undone. ") + kUndone);
    EXPECT_NE(undone, std::string::npos) << removed.Log;
    EXPECT_GT(removed.Log.find(std::string("Uninstalled ") + kTitle), undone) << removed.Log;
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
}

// Closed as the install begins, the window asks; Yes stops the run, which undoes what it did, says so and ends the
// program, its scratch folder removed.
TEST_F(EndToEnd, ClosingTheWindowDuringTheInstallAsksAndYesUndoesIt)
{
    const std::string proposed = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    SampleLeftovers leftovers(proposed);
    const MachineSnapshot before = MachineSnapshot::Take(proposed);
    std::unique_ptr<SetupDriver> setup = StartSetup();
    setup->WaitForScreen("Tarvelo 2000");
    for (int last = 0;;) {
        const int page = setup->WaitForPageOtherThan(last);
        ASSERT_NE(page, 0) << "setup.exe ended";
        setup->Settle();
        if (page == ControlId::ReadyToInstall) break;
        setup->Click(page == ControlId::Page2 ? ControlId::Accept : ControlId::Next1);
        last = page;
    }
    // Both posted: the close comes while the install page runs.
    setup->Click(ControlId::Next1);
    PostMessageA(setup->Screen(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(*setup, "Yes"), "Cancel the installation?");
    EXPECT_EQ(Answer(*setup, "OK"), std::string("The installation was cancelled.\r\n\r\nThe installation was not "
                                                "completed, and what it had changed has been undone. ") +
                                        kUndone);
    EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    EXPECT_EQ(before.DifferencesTo(MachineSnapshot::Take(proposed)), std::vector<std::string>());
    EXPECT_EQ(SetupTempDirs(), tempDirsBefore_) << "the scratch folder is removed";
}

}  // namespace
