// setup.exe /S on the sample's distribution: installed with no window at all, the machine changed as a wizard
// run with the proposed choices changes it, but for the destination; removed with /S from its entry; and the
// runs that cannot go on end with their exit codes and say why in the log.
#include "SampleJourney.h"
#include "app/screen/ControlIds.h"
#include "config/TextFields.h"
#include "testsupport/UnixLink.h"
#include "testsupport/win32/MachineSnapshot.h"
#include "tools/setupwalk/InstalledProduct.h"

#include <filesystem>
#include <map>
#include <optional>

namespace {

using namespace sample_journey;

// What changed from before to after, the destination directory dir written as "<destination>": the things,
// not their new sizes or times, sorted.
std::vector<std::string> ChangesIn(const MachineSnapshot& before, const MachineSnapshot& after, const std::string& dir)
{
    const std::string withoutSlash = dir.substr(0, dir.size() - 1);
    std::vector<std::string> changes;
    for (std::string change : before.DifferencesTo(after)) {
        change = change.substr(0, change.find(": "));
        for (const std::string& spelling : {withoutSlash, UpperCase(withoutSlash)})
            for (std::size_t at = change.find(spelling); at != std::string::npos; at = change.find(spelling))
                change.replace(at, spelling.size(), "<destination>");
        changes.push_back(change);
    }
    std::sort(changes.begin(), changes.end());
    return changes;
}

bool GoesAtRestart(const std::string& path)
{
    return PendingRemovals().find(path + "\n") != std::string::npos;
}

// The lines in which the install engine says what it put on the machine, the destination directory dir written
// as "<destination>", sorted.
std::vector<std::string> EngineLines(const std::string& log, const std::string& dir)
{
    std::vector<std::string> lines;
    for (std::string line : SplitLines(log)) {
        bool engine = false;
        for (const char* start : {"Created directory ", "Installed ", "Shortcut ", "Created folder ", "INI key ",
                                  "Registry value ", "Uninstall entry "})
            engine = engine || (line.starts_with(start) && line.find('\\') != std::string::npos);
        if (!engine) continue;
        const std::string withoutSlash = dir.substr(0, dir.size() - 1);
        for (std::size_t at = line.find(withoutSlash); at != std::string::npos; at = line.find(withoutSlash))
            line.replace(at, withoutSlash.size(), "<destination>");
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool Logged(const SilentRun& run, const std::string& line)
{
    return run.Log.find(line + "\r\n") != std::string::npos;
}

// What a silent uninstall from dir's entry left of what the installation changed since before: it must leave
// only the files that Windows may use, which it keeps and names (deleted here for the next run), and the
// running uninstaller and its directory, which go at the next restart.
std::vector<std::string> LeftBySilentUninstall(const MachineSnapshot& before, const std::string& dir,
                                               const SilentRun& run, std::vector<std::string> keptFiles = {})
{
    std::vector<std::string> left;
    for (const std::string& change : ChangesIn(before, MachineSnapshot::Take(dir), dir)) {
        if (change == "+ file <destination>\\SETUP.EXE" && GoesAtRestart(dir + "setup.exe")) continue;
        if (change == "+ dir <destination>" && GoesAtRestart(dir.substr(0, dir.size() - 1))) continue;
        left.push_back(change);
    }
    for (const std::string& file :
         {WindowsDirectory() + "nwnotes.ini", SystemDirectory() + "nwhelper.txt", WindowsDirectory() + "notes.ini"})
        keptFiles.push_back(file);
    for (const std::string& kept : keptFiles) {
        EXPECT_TRUE(Logged(run, "Kept " + kept)) << run.Log;
        EXPECT_TRUE(Exists(kept)) << kept;
        std::erase_if(left,
                      [&](const std::string& change) { return change.find(UpperCase(kept)) != std::string::npos; });
        DeleteFileA(kept.c_str());
    }
    return left;
}

// The sample's HKEY_LOCAL_MACHINE value in the registry view given, "" when it is not there.
std::string EditionIn(REGSAM view)
{
    char text[64] = {};
    DWORD size = sizeof text;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Northwind\\Notes\\Install", 0, KEY_READ | view, &key) != 0)
        return std::string();
    RegQueryValueExA(key, "Edition", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return std::string(text);
}

// The entry's uninstall string with /S: "<dir>\setup.exe" /S <title>.
SilentRun UninstallSilently(const std::string& log)
{
    const std::optional<InstalledProduct> product = FindInstalledProduct(kTitle);
    if (!product) {
        ADD_FAILURE() << "no uninstall entry for " << kTitle;
        return {};
    }
    SilentRun run = RunSilently(product->Directory + "setup.exe", kTitle, WindowsDirectory(), log);
    EXPECT_EQ(run.ExitCode, 0U) << run.Log;
    EXPECT_FALSE(run.ShowedAWindow);
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
    return run;
}

// Installed by the wizard with what it proposes, and silently into C:\Silent Dest, the machine changes alike
// but for the destination; each removed silently from its entry leaves only what Windows may use.
TEST_F(EndToEnd, SilentInstallChangesWhatTheWizardsProposalsChangeAndSilentUninstallRemovesIt)
{
    const std::string proposed = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    const std::string silentDestination = "C:\\Silent Dest";
    const std::string silentDir = silentDestination + "\\";
    SampleLeftovers proposedLeftovers(proposed);
    SampleLeftovers silentLeftovers(silentDir);

    const MachineSnapshot beforeWizard = MachineSnapshot::Take(proposed);
    const std::string wizardLog = scratch_ / "wizard.log";
    {
        SetupDriver setup(CommandLineOf(dist_ + "setup.exe", "\"/LOG=" + wizardLog + "\""), dist_);
        WalkInstall(setup, {"", false, false, {}}, [](int, SetupDriver&) {});
    }
    std::vector<std::string> wizardChanges = ChangesIn(beforeWizard, MachineSnapshot::Take(proposed), proposed);
    ASSERT_FALSE(wizardChanges.empty());
    std::erase(wizardChanges, "+ dir <destination>");  // seen only inside Program Files, where the proposed one is
    const SilentRun wizardsRemoved = UninstallSilently(scratch_ / "uninstall-1.log");
    EXPECT_EQ(LeftBySilentUninstall(beforeWizard, proposed, wizardsRemoved), std::vector<std::string>());

    const MachineSnapshot beforeSilent = MachineSnapshot::Take(silentDir);
    const SilentRun install =
        RunSilently(dist_ + "setup.exe", "/D=" + silentDestination, dist_, scratch_ / "install.log");
    EXPECT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_FALSE(install.ShowedAWindow);
    EXPECT_EQ(ChangesIn(beforeSilent, MachineSnapshot::Take(silentDir), silentDir), wizardChanges);
    EXPECT_EQ(EngineLines(install.Log, silentDir), EngineLines(ScratchDir::Read(wizardLog), proposed))
        << "the wizard's log says what the silent one says";

    EXPECT_NE(install.Log.find("Expanded "), std::string::npos) << install.Log;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(silentDir)) {
        if (entry.is_regular_file() && entry.path().filename() != "uninstaller.cfg") {
            EXPECT_TRUE(Logged(install, "Installed " + entry.path().string())) << entry.path() << "\n" << install.Log;
        }
    }
    for (const std::string& line :
         {"Installed " + WindowsDirectory() + "nwnotes.ini", "Shortcut " + ShellFolder(CSIDL_STARTMENU) + "Read Me.lnk",
          "INI key " + WindowsDirectory() + "notes.ini [Settings] Theme=Dark",
          std::string("Registry value HKEY_CURRENT_USER\\Software\\Northwind\\Notes\\Options [Version]=2.0"),
          "Uninstall entry HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKey) + " [UninstallString]=\"" + silentDir +
              "setup.exe\" -- " + kTitle,
          "Installed " + std::string(kTitle)})
        EXPECT_TRUE(Logged(install, line)) << line << "\n" << install.Log;

    const SilentRun silentRemoved = UninstallSilently(scratch_ / "uninstall-2.log");
    EXPECT_EQ(LeftBySilentUninstall(beforeSilent, silentDir, silentRemoved), std::vector<std::string>());
}

// Each run that cannot go on ends without a window or a question, with its exit code and the reason logged.
TEST_F(EndToEnd, SilentRunsThatCannotGoOnEndWithTheirExitCodes)
{
    const std::string proposed = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    SampleLeftovers leftovers(proposed);
    const std::string blocked = WindowsDirectory() + "win.ini\\Northwind Notes";
    const std::string log = scratch_ / "silent.log";
    struct Expected {
        std::string Arguments;
        DWORD ExitCode;
        std::string Logged;
    };
    for (const Expected& expected :
         {Expected{"/X", 2, "Unknown switch /X"}, Expected{"/D=" + blocked, 1, blocked}, Expected{"", 3, "disk.002"}}) {
        const bool diskTwoAway = expected.ExitCode == 3;
        if (diskTwoAway) MoveDiskTwoAway();
        const SilentRun run = RunSilently(dist_ + "setup.exe", expected.Arguments, dist_, log);
        if (diskTwoAway) BringDiskTwoBack();
        EXPECT_EQ(run.ExitCode, expected.ExitCode) << expected.Arguments << "\n" << run.Log;
        EXPECT_FALSE(run.ShowedAWindow) << expected.Arguments;
        EXPECT_NE(run.Log.find(expected.Logged), std::string::npos) << expected.Arguments << "\n" << run.Log;
    }
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());

    const SilentRun unknown = RunSilently(SETUP_EXE, "Northwind Nothing", WindowsDirectory(), log);
    EXPECT_EQ(unknown.ExitCode, 1U) << unknown.Log;
    EXPECT_NE(unknown.Log.find("Northwind Nothing"), std::string::npos) << unknown.Log;

    // An interactive run of the same product holds it: the silent one does not start beside it.
    std::unique_ptr<SetupDriver> interactive = StartSetup();
    interactive->WaitForScreen("Tarvelo 2000");
    interactive->WaitForPage(ControlId::page1);
    const SilentRun beside = RunSilently(dist_ + "setup.exe", "", dist_, log);
    EXPECT_EQ(beside.ExitCode, 4U) << beside.Log;
    EXPECT_NE(beside.Log.find(kTitle), std::string::npos) << beside.Log;
    interactive->Click(ControlId::Cancel1);
    EXPECT_EQ(interactive->WaitForExit(SetupDriver::kPatienceMs), 0U);
    EXPECT_FALSE(Exists(proposed));
}

// The names of the Windows temporary folder's scratch folders the runs of the next minutes would have taken.
std::vector<std::string> ScratchFolderNamesOfTheNextMinutes(int minutes)
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER at{{now.dwLowDateTime, now.dwHighDateTime}};
    std::vector<std::string> names;
    for (int second = 0; second < minutes * 60; ++second, at.QuadPart += 10000000ULL) {
        const FILETIME utc{at.LowPart, at.HighPart};
        FILETIME local{};
        SYSTEMTIME time{};
        FileTimeToLocalFileTime(&utc, &local);
        FileTimeToSystemTime(&local, &time);
        char digits[8] = {};
        wsprintfA(digits, "%02u%02u%02u", time.wHour, time.wMinute, time.wSecond);
        names.push_back(WindowsDirectory() + "temp\\z2000_" + digits);
    }
    return names;
}

// Links made for one test, removed however it ends (the links only, never what they lead to).
struct MadeLinks {
    ~MadeLinks() { RemoveUnixLinks(Paths); }
    std::vector<std::string> Paths;
};

std::map<std::string, std::string> FilesIn(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files[entry.path().string()] = ScratchDir::Read(entry.path().string());
    return files;
}

// Another user prepares, where every user may create names, links to someone else's folders and file under the
// names a run is about to use: the scratch folders of the next minutes, the segment reader's scratch files and
// the single file's staging folder for its process id. The run passes over all of them, installs into a quoted
// destination, and its uninstall leaves a data folder that the user moved elsewhere and linked back.
TEST_F(EndToEnd, LinksPreparedWhereTheRunWritesLeadItNowhere)
{
    const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Linked";
    const std::string dir = destination + "\\";
    SampleLeftovers leftovers(dir);
    const std::string theirs = scratch_ / "someone else's\\";
    const std::string theirDownloads = scratch_ / "their downloads\\";
    std::filesystem::create_directories(theirs + "Sub");
    std::filesystem::create_directories(theirDownloads);
    ScratchDir::Write(theirs + "thesis.doc", "theirs");
    ScratchDir::Write(theirs + "Sub\\notes.txt", "theirs too");
    ScratchDir::Write(theirs + "disk.$A$", "a name the segment reader would take for its own");
    ScratchDir::Write(theirDownloads + "install.cfg", "their own settings");
    ScratchDir::Write(scratch_ / "someone else's.dat", "a file of theirs");
    const std::map<std::string, std::string> theirsBefore = FilesIn(theirs);
    const std::string single = MakeDistribution(scratch_ / "product", "single", " --single-file");

    MadeLinks links{ScratchFolderNamesOfTheNextMinutes(3)};
    ASSERT_TRUE(MakeUnixLinks(theirs, links.Paths));
    const std::vector<std::string> fileLinks = {WindowsDirectory() + "temp\\disk.$A$",
                                                WindowsDirectory() + "temp\\disk.$L$"};
    links.Paths.insert(links.Paths.end(), fileLinks.begin(), fileLinks.end());
    ASSERT_TRUE(MakeUnixLinks(scratch_ / "someone else's.dat", fileLinks));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const auto linkStagingFolder = [&](DWORD processId) {
        links.Paths.push_back(temp + ("setup-" + std::to_string(processId)));
        EXPECT_TRUE(MakeUnixLink(theirDownloads, links.Paths.back()));
    };

    const SilentRun install = RunSilently(single + "setup.exe", "/D=\"" + destination + "\"", single,
                                          scratch_ / "install.log", linkStagingFolder);
    EXPECT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_EQ(FilesIn(theirs), theirsBefore);
    EXPECT_EQ(ScratchDir::Read(theirDownloads + "install.cfg"), "their own settings");
    EXPECT_EQ(ScratchDir::Read(scratch_ / "someone else's.dat"), "a file of theirs");
    const std::optional<InstalledProduct> product = FindInstalledProduct(kTitle);
    ASSERT_TRUE(product.has_value()) << install.Log;
    EXPECT_EQ(product->Directory, dir) << "the quotes are the command line's, not the folder's";
    ASSERT_TRUE(Exists(dir + "data\\sample.nwn"));

    const std::string moved = scratch_ / "moved data\\";
    std::filesystem::rename(dir + "data", moved);
    links.Paths.push_back(dir + "data");
    ASSERT_TRUE(MakeUnixLink(moved, dir + "data"));
    const std::map<std::string, std::string> movedBefore = FilesIn(moved);
    const SilentRun uninstall =
        RunSilently(dir + "setup.exe", "-- " + std::string(kTitle), WindowsDirectory(), scratch_ / "uninstall.log");
    EXPECT_EQ(uninstall.ExitCode, 0U) << uninstall.Log;
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
    EXPECT_EQ(FilesIn(moved), movedBefore) << "the moved data folder is the user's";
    EXPECT_TRUE(Exists(dir + "data")) << "and so is the link to it";
}

// A record planted beside setup.exe in a download folder names what it wants removed, a profile's Documents and a
// key of Windows; no uninstall entry of its product leads there, so nothing goes.
TEST_F(EndToEnd, ARecordPlantedBesideSetupRemovesNothing)
{
    const std::string documents = ShellFolder(CSIDL_PERSONAL);
    const std::string service = "System\\CurrentControlSet\\Services\\SetupTestsPlanted";
    ScratchDir::Write(documents + "SetupTests-planted.txt", "the user's");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, service.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    RegCloseKey(key);
    ScratchDir::Write(dist_ + "uninstaller.cfg", "[Files]\r\n" + documents +
                                                     "*.*=\r\n[Registry]\r\nHKEY_LOCAL_MACHINE\\" + service +
                                                     "=\r\n[Name]\r\nTitle=" + kTitle + "\r\n");

    const SilentRun run = RunSilently(dist_ + "setup.exe", "", dist_, scratch_ / "planted.log");
    EXPECT_EQ(run.ExitCode, 1U) << run.Log;
    EXPECT_NE(run.Log.find("the record there is not used"), std::string::npos) << run.Log;
    EXPECT_EQ(ScratchDir::Read(documents + "SetupTests-planted.txt"), "the user's");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, service));

    DeleteFileA((documents + "SetupTests-planted.txt").c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, service.c_str());
}

constexpr const char* kIdEntry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Northwind.Notes";

// The entry of the sample's id, removed before and after a journey.
struct IdEntryGone {
    IdEntryGone() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kIdEntry); }
    ~IdEntryGone() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kIdEntry); }
};

// The product's install.cfg with keys added to its screen section, and text replaced.
void WriteConfig(const std::string& product, const std::string& keys, const std::string& title = kTitle)
{
    std::string config = ScratchDir::Read(product + "\\install.cfg");
    config.replace(config.find("[Setup Screen]"), 14, "[Setup Screen]\r\n" + keys);
    config.replace(config.find(kTitle), std::string(kTitle).size(), title);
    ScratchDir::Write(product + "\\install.cfg", config);
}

BOOL CALLBACK NoteSetupWindow(HWND window, LPARAM found)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return TRUE;
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (IsWindowVisible(window) && QueryFullProcessImageNameA(process, 0, image, &size) &&
        UpperCase(image).ends_with("\\SETUP.EXE"))
        *reinterpret_cast<bool*>(found) = true;
    CloseHandle(process);
    return TRUE;
}

// Whether any process of a program named setup.exe shows a top-level window: one that cmd started is no child
// of the test's.
bool SetupShowsAWindow()
{
    bool shown = false;
    EnumWindows(NoteSetupWindow, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// The sample with every key of its entry: what Windows and inventories read, then its quiet uninstall command run
// as a deployment tool runs it, through the command processor.
TEST_F(EndToEnd, TheEntryShowsTheProductAndItsQuietCommandRemovesIt)
{
    const std::string product = scratch_ / "product";
    WriteConfig(product,
                "Product Version=2.0.1\r\nPublisher=Northwind Software\r\nProduct Id=Northwind.Notes\r\n"
                "Help Link=https://example.com/help\r\nAbout Link=https://example.com/about\r\n");
    const std::string dist = MakeDistribution(product, "dist-entry");
    const std::string dir = "C:\\Entry Dest\\";
    const std::string entry = kIdEntry;
    SampleLeftovers leftovers(dir);
    const IdEntryGone entryGone;

    const SilentRun install = RunSilently(dist + "setup.exe", "/D=" + dir, dist, scratch_ / "install.log");
    ASSERT_EQ(install.ExitCode, 0U) << install.Log;
    std::uintmax_t placed = 0;
    for (const std::string& line : SplitLines(install.Log))
        if (line.starts_with("Installed ") && line.find('\\') != std::string::npos)
            placed += std::filesystem::file_size(line.substr(10));
    DWORD size = 0, noModify = 0, noRepair = 0, length = sizeof(DWORD);
    RegGetValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &size, &length);
    RegGetValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "NoModify", RRF_RT_REG_DWORD, nullptr, &noModify, &length);
    RegGetValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "NoRepair", RRF_RT_REG_DWORD, nullptr, &noRepair, &length);
    EXPECT_EQ(size, (placed + 1023) / 1024) << "the kilobytes of every file the log says it installed";
    EXPECT_EQ(noModify + noRepair, 2U);
    const std::map<std::string, std::string> expected{
        {"DisplayName", kTitle},
        {"DisplayVersion", "2.0.1"},
        {"Publisher", "Northwind Software"},
        {"InstallLocation", dir},
        {"DisplayIcon", dir + "notes.exe"},
        {"UninstallString", "\"" + dir + "setup.exe\" -- Northwind.Notes"},
        {"QuietUninstallString", "\"" + dir + "setup.exe\" /S -- Northwind.Notes"},
        {"HelpLink", "https://example.com/help"},
        {"URLInfoAbout", "https://example.com/about"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, name), value) << name;
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, entry, "InstallDate").size(), 8U);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the title names no entry of its own";

    // cmd takes a command line that begins with a quote whole when it is quoted once more.
    const std::string quiet = RegistryText(HKEY_LOCAL_MACHINE, entry, "QuietUninstallString");
    DrivenProcess cmd(CommandLineOf(WindowsDirectory() + "system32\\cmd.exe", "/c \"" + quiet + "\""),
                      WindowsDirectory());
    bool showedAWindow = false;
    WaitUntil(
        [&] {
            showedAWindow = showedAWindow || SetupShowsAWindow();
            return !cmd.Running();
        },
        SetupDriver::kPatienceMs);
    EXPECT_EQ(cmd.WaitForExit(0), 0U);
    EXPECT_FALSE(showedAWindow);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entry));
    EXPECT_FALSE(Exists(dir + "notes.exe"));
}

// 1.0 and then 2.0 of one id, each installed silently: one entry, showing 2.0, and the file that 2.0 no longer
// installs is gone; 2.0's uninstaller, started as the entry says, then leaves the machine as before 1.0.
TEST_F(EndToEnd, AnUpgradeLeavesOneEntryAndItsUninstallerTheMachineAsBefore)
{
    const std::string product = scratch_ / "product";
    const std::string dir = "C:\\Upgrade Dest\\";
    SampleLeftovers leftovers(dir);
    const IdEntryGone entryGone;
    const std::string config = ScratchDir::Read(product + "\\install.cfg");
    const std::string finstall = ScratchDir::Read(product + "\\finstall.cfg");
    ScratchDir::Write(product + "\\old.txt", "only 1.0 installs this");
    ScratchDir::Write(product + "\\finstall.cfg", finstall + "Installation Directory,docs,old.txt\r\n");
    WriteConfig(product, "Product Id=Northwind.Notes\r\nProduct Version=1.0\r\n", "Northwind Notes 1.0");
    const std::string first = MakeDistribution(product, "dist-1.0");
    ScratchDir::Write(product + "\\install.cfg", config);
    ScratchDir::Write(product + "\\finstall.cfg", finstall);
    WriteConfig(product, "Product Id=Northwind.Notes\r\nProduct Version=2.0\r\n");
    const std::string second = MakeDistribution(product, "dist-2.0");

    const MachineSnapshot before = MachineSnapshot::Take(dir);
    EXPECT_EQ(RunSilently(first + "setup.exe", "/D=" + dir, first, scratch_ / "1.0.log").ExitCode, 0U);
    ASSERT_TRUE(Exists(dir + "docs\\old.txt"));
    const SilentRun upgrade = RunSilently(second + "setup.exe", "/D=" + dir, second, scratch_ / "2.0.log");
    EXPECT_EQ(upgrade.ExitCode, 0U) << upgrade.Log;
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kIdEntry, "DisplayName"), kTitle);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kIdEntry, "DisplayVersion"), "2.0");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(dir + "docs\\old.txt")) << upgrade.Log;

    const SilentRun removed =
        RunSilently(dir + "setup.exe", "-- Northwind.Notes", WindowsDirectory(), scratch_ / "un.log");
    EXPECT_EQ(removed.ExitCode, 0U) << removed.Log;
    EXPECT_EQ(LeftBySilentUninstall(before, dir, removed), std::vector<std::string>());
}

// The sample, a 32-bit program, lands where Windows keeps such programs, in a 32-bit prefix and a 64-bit one alike:
// in the Program Files folder that Windows names for it (Program Files (x86) on 64-bit Windows), with its
// HKEY_LOCAL_MACHINE values in the 32-bit view; removed, both views and both Program Files are as before.
TEST_F(EndToEnd, TheSampleLandsWhereWindowsKeepsA32BitProgram)
{
    const std::string dir = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    SampleLeftovers leftovers(dir);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    EXPECT_EQ(dir.find("(x86)") != std::string::npos, wow64 != FALSE) << dir;
    const MachineSnapshot before = MachineSnapshot::Take(dir);

    const SilentRun install = RunSilently(dist_ + "setup.exe", "", dist_, scratch_ / "install.log");
    EXPECT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_TRUE(Exists(dir + "notes.exe")) << install.Log;
    EXPECT_EQ(EditionIn(KEY_WOW64_32KEY), "Standard");
    EXPECT_EQ(EditionIn(KEY_WOW64_64KEY), wow64 ? "" : "Standard") << "a 32-bit product's keys stay in its view";

    const SilentRun removed = UninstallSilently(scratch_ / "uninstall.log");
    EXPECT_EQ(LeftBySilentUninstall(before, dir, removed), std::vector<std::string>());
}

}  // namespace

namespace {

// The sample made a product for its user alone: without what only an administrator may write (the Windows
// directory's files and INI file, the HKEY_LOCAL_MACHINE key), for the scope given.
void MakeUsersOwn(const std::string& product, const std::string& scope)
{
    std::string finstall;
    for (const std::string& line : SplitLines(ScratchDir::Read(product + "\\finstall.cfg")))
        if (line.starts_with("Installation Directory")) finstall += line + "\r\n";
    ScratchDir::Write(product + "\\finstall.cfg", finstall);
    std::string config = ScratchDir::Read(product + "\\install.cfg");
    const std::size_t from = config.find("[Autoexec.bat]"), to = config.find("[Launch Applications]");
    config.replace(from, to - from,
                   "[INI\\Registry]\r\nCount=1\r\nINIREG 0=HKEY_CURRENT_USER\\Software\\Northwind\\Notes,Options,"
                   "Version,2.0\r\n\r\n");
    ScratchDir::Write(product + "\\install.cfg", config);
    WriteConfig(product, "Install Scope=" + scope + "\r\n");
}

// What changed from before to now that is the machine's, not the user's.
std::vector<std::string> MachineChanges(const MachineSnapshot& before, const std::string& dir)
{
    std::vector<std::string> changes = before.DifferencesTo(MachineSnapshot::Take(dir));
    std::erase_if(changes, [&](const std::string& change) {
        return change.find(" HKCU\\") != std::string::npos || change.find(UpperCase(dir)) != std::string::npos ||
               change.find(UpperCase(ShellFolder(CSIDL_STARTMENU))) != std::string::npos ||
               change.find(UpperCase(ShellFolder(CSIDL_DESKTOPDIRECTORY))) != std::string::npos;
    });
    return changes;
}

}  // namespace

// A product for its user alone, installed silently: its files below the user's local application data, its entry
// and key below HKEY_CURRENT_USER, its shortcuts the user's; nothing of the machine's changes, and the uninstaller
// from that entry leaves the machine as before. The same product asking, answered on the command line, goes where
// the answer says.
TEST_F(EndToEnd, AUserInstallationTouchesOnlyTheUsersPlacesAndGoesWhole)
{
    const std::string product = scratch_ / "product";
    MakeUsersOwn(product, "user");
    const std::string dist = MakeDistribution(product, "dist-user");
    const std::string dir = ShellFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Northwind Notes\\";
    SampleLeftovers leftovers(dir);
    const MachineSnapshot before = MachineSnapshot::Take(dir);

    const SilentRun install = RunSilently(dist + "setup.exe", "", dist, scratch_ / "install.log");
    ASSERT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_TRUE(Exists(dir + "notes.exe")) << install.Log;
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_PROGRAMS) + "Northwind\\Notes\\Northwind Notes.lnk"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation"), dir);
    EXPECT_EQ(MachineChanges(before, dir), std::vector<std::string>());

    const SilentRun removed =
        RunSilently(dir + "setup.exe", std::string("-- ") + kTitle, WindowsDirectory(), scratch_ / "uninstall.log");
    EXPECT_EQ(removed.ExitCode, 0U) << removed.Log;
    std::vector<std::string> left = ChangesIn(before, MachineSnapshot::Take(dir), dir);
    std::erase_if(left, [&](const std::string& change) {
        return (change == "+ file <destination>\\SETUP.EXE" && GoesAtRestart(dir + "setup.exe")) ||
               (change == "+ dir <destination>" && GoesAtRestart(dir.substr(0, dir.size() - 1)));
    });
    EXPECT_EQ(left, std::vector<std::string>()) << removed.Log;

    std::string config = ScratchDir::Read(product + "\\install.cfg");
    config.replace(config.find("Install Scope=user"), 18, "Install Scope=ask");
    ScratchDir::Write(product + "\\install.cfg", config);
    const std::string asking = MakeDistribution(product, "dist-ask");
    for (const auto& [answer, where] :
         {std::pair{"/CURRENTUSER", dir}, {"/ALLUSERS", ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\"}}) {
        SampleLeftovers answered(where);
        const SilentRun run = RunSilently(asking + "setup.exe", answer, asking, scratch_ / "ask.log");
        EXPECT_EQ(run.ExitCode, 0U) << run.Log;
        EXPECT_TRUE(Exists(where + "notes.exe")) << answer << "\n" << run.Log;
    }
}

// A product for everyone puts its shortcuts in the folders every user sees, not in those of the administrator who
// installed it; its uninstaller removes them with the rest.
TEST_F(EndToEnd, AMachineInstallationsShortcutsAreEveryUsers)
{
    const std::string product = scratch_ / "product";
    WriteConfig(product, "Install Scope=machine\r\n");
    const std::string dist = MakeDistribution(product, "dist-machine");
    const std::string dir = "C:\\Machine Dest\\";
    SampleLeftovers leftovers(dir);
    const MachineSnapshot before = MachineSnapshot::Take(dir);

    const SilentRun install = RunSilently(dist + "setup.exe", "/D=" + dir, dist, scratch_ / "install.log");
    ASSERT_EQ(install.ExitCode, 0U) << install.Log;
    for (const std::string& link : {ShellFolder(CSIDL_COMMON_PROGRAMS) + "Northwind\\Notes\\Northwind Notes.lnk",
                                    ShellFolder(CSIDL_COMMON_STARTMENU) + "Northwind Notes.lnk",
                                    ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "Northwind Notes.lnk"})
        EXPECT_TRUE(Exists(link)) << link << "\n" << install.Log;
    EXPECT_FALSE(Exists(ShellFolder(CSIDL_PROGRAMS) + "Northwind")) << "not the installing account's own";

    const SilentRun removed = UninstallSilently(scratch_ / "uninstall.log");
    EXPECT_EQ(LeftBySilentUninstall(before, dir, removed), std::vector<std::string>());
}

// A 64-bit product on 64-bit Windows: in the 64-bit Program Files, its HKEY_LOCAL_MACHINE value and its entry in the
// 64-bit view, its System32 file in the 64-bit system folder; its uninstaller leaves the machine as before. On 32-bit
// Windows it is refused before anything is installed.
TEST_F(EndToEnd, A64BitProductLandsInThe64BitPlacesOrIsRefused)
{
    const std::string product = scratch_ / "product";
    WriteConfig(product, "64-bit Product=1\r\n");
    ScratchDir::Write(product + "\\finstall.cfg",
                      ScratchDir::Read(product + "\\finstall.cfg") + "System32,system\\nwhelper.txt\r\n");
    const std::string dist = MakeDistribution(product, "dist-64");
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramW6432", programFiles, MAX_PATH);
    const std::string dir =
        (wow64 ? std::string(programFiles) + "\\" : ShellFolder(CSIDL_PROGRAM_FILES)) + "Northwind Notes\\";
    const std::string system64 = WindowsDirectory() + "Sysnative\\nwhelper.txt";
    SampleLeftovers leftovers(dir);
    const MachineSnapshot before = MachineSnapshot::Take(dir);

    const SilentRun install = RunSilently(dist + "setup.exe", "", dist, scratch_ / "install.log");
    if (!wow64) {
        EXPECT_EQ(install.ExitCode, 1U) << install.Log;
        EXPECT_TRUE(Logged(install,
                           "Error: Northwind Notes 2.0 is a 64-bit program: it cannot be installed on 32-bit "
                           "Windows"))
            << install.Log;
        EXPECT_EQ(before.DifferencesTo(MachineSnapshot::Take(dir)), std::vector<std::string>());
        return;
    }
    ASSERT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_TRUE(Exists(dir + "notes.exe")) << install.Log;
    EXPECT_EQ(EditionIn(KEY_WOW64_64KEY), "Standard");
    EXPECT_EQ(EditionIn(KEY_WOW64_32KEY), "") << "a 64-bit product's keys are in its view";
    char entry[MAX_PATH] = {};
    DWORD size = sizeof entry;
    RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr,
                 entry, &size);
    EXPECT_EQ(entry, dir);
    EXPECT_TRUE(Exists(system64)) << install.Log;
    EXPECT_FALSE(Exists(WindowsDirectory() + "SysWOW64\\nwhelper.txt")) << "not redirected";

    const SilentRun removed =
        RunSilently(dir + "setup.exe", std::string("/S -- ") + kTitle, WindowsDirectory(), scratch_ / "uninstall.log");
    EXPECT_EQ(removed.ExitCode, 0U) << removed.Log;
    EXPECT_EQ(LeftBySilentUninstall(before, dir, removed, {system64}), std::vector<std::string>());
}

// A product that asks, installed "for everyone" and then removed by a setup.exe without an administrator's rights:
// each run starts itself again with them, Windows asking, and ends with the exit code of that run, whose log it
// completes.
TEST_F(EndToEnd, ForEveryoneARunWithoutAnAdministratorsRightsStartsAgainWithThem)
{
    const std::string product = scratch_ / "product";
    WriteConfig(product, "Install Scope=ask\r\n");
    const std::string dist = MakeDistribution(product, "dist-ask", "", KILLABLE_SETUP_EXE);
    const std::string dir = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    SampleLeftovers leftovers(dir);
    SetEnvironmentVariableA("SETUP_TEST_LIMITED", "1");
    const SilentRun install = RunSilently(dist + "setup.exe", "/ALLUSERS", dist, scratch_ / "install.log");
    SetEnvironmentVariableA("SETUP_TEST_LIMITED", "1");
    const SilentRun removed =
        RunSilently(dir + "setup.exe", std::string("-- ") + kTitle, WindowsDirectory(), scratch_ / "uninstall.log");
    SetEnvironmentVariableA("SETUP_TEST_LIMITED", nullptr);

    EXPECT_EQ(install.ExitCode, 0U) << install.Log;
    EXPECT_TRUE(Logged(install, std::string("Installed ") + kTitle)) << install.Log;
    EXPECT_TRUE(Logged(install, "The run with an administrator's rights ended with exit code 0")) << install.Log;
    EXPECT_EQ(removed.ExitCode, 0U) << removed.Log;
    EXPECT_TRUE(Logged(removed, std::string("Uninstalled ") + kTitle)) << removed.Log;
    EXPECT_TRUE(Logged(removed, "The run with an administrator's rights ended with exit code 0")) << removed.Log;
    EXPECT_FALSE(Exists(dir + "notes.exe"));
}
