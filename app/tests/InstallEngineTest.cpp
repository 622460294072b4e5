#include "app/install/InstallEngine.h"
#include "app/install/JournalUndo.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "InstallRun.h"
#include "InstallTestSupport.h"
#include "SavedPendingRenames.h"
#include "ScriptedUninstallView.h"
#include "UninstallEntry.h"
#include "app/install/UninstallKey.h"
#include "app/product/Destinations.h"
#include "app/uninstall/UninstallEngine.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "settings/IniFile.h"
#include "shell/ShellFolders.h"

namespace {

TEST_F(InstallRun, SmallPlanLeavesFilesShortcutsEntriesAndTheRecordInItsOrder)
{
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTestsEngine"},
                         {HKEY_LOCAL_MACHINE, "Software\\SetupTestsEngine"},
                         {HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}},
                        {windows_ + "\\System\\setuptest_engine.txt", windows_ + "\\setuptest_windows.txt",
                         windows_ + "\\setuptest_engine.ini", windows_ + "\\setuptest_windows.txt"});
    Support("readme.txt", "read me");
    Support("x.txt", "nested");
    Support("setuptest_engine.txt", "system file");
    Support("setuptest_windows.txt", "windows file");
    Support("logo.gif", "GIF89a");
    global.InstallSettings.LogoFile = "logo.gif";
    global.ShortcutEntries = {"Tool,<InstallDir>\\readme.txt,X,X,,,Setup Tests\\Tools,C:\\src\\app.ico"};
    choices.ShortcutRows = {true, false, false};
    choices.FolderDesktop = true;
    global.RegistryEntries = {"HKEY_CURRENT_USER\\Software\\SetupTestsEngine,App,Path,C:\\App",
                              "setuptest_engine.ini,Options,Color,Blue",
                              "HKEY_LOCAL_MACHINE\\Software\\SetupTestsEngine,Machine,Dir,C:\\M"};

    Install({"Installation Directory,C:\\src\\readme.txt", "Installation Directory,Data,docs,C:\\src\\x.txt",
             "Installation Directory,Logs,", "Windows,System,C:\\src\\setuptest_engine.txt",
             "Windows,C:\\src\\setuptest_windows.txt"});

    const std::string app = AppDir();
    EXPECT_EQ(ScratchDir::Read(app + "readme.txt"), "read me");
    EXPECT_EQ(ScratchDir::Read(app + "Data\\docs\\x.txt"), "nested");
    EXPECT_TRUE(port::IsDirectory(app + "Logs"));
    EXPECT_EQ(ScratchDir::Read(windows_ + "\\System\\setuptest_engine.txt"), "system file");
    EXPECT_EQ(ScratchDir::Read(app + "setup.exe"), "the setup.exe");
    EXPECT_EQ(ScratchDir::Read(app + "finstall.cfg"), "the finstall.cfg");
    EXPECT_EQ(ScratchDir::Read(app + "logo.gif"), "GIF89a") << "the uninstaller's screen needs it";
    EXPECT_EQ(ScratchDir::Read(windows_ + "\\setuptest_windows.txt"), "windows file");
    EXPECT_EQ(global.InstallFiles.size(), 8u);
    EXPECT_EQ(global.DestinationFiles.back(), app + "finstall.cfg");

    const RawSections record = Record();
    EXPECT_EQ(SectionNames(record), (Keys{"Files", "Placed Files", "Folder", "Registry", "Created Keys", "Name"}));
    const std::string tools = "Setup Tests\\Tools";
    EXPECT_EQ(SectionKeys(record, "Files"),
              (Keys{app + "*.*", app + "Data\\docs\\*.*", app + "Logs\\*.*",
                    windows_ + "\\System\\setuptest_engine.txt", windows_ + "\\setuptest_windows.txt",
                    folders_.StartMenu + "Tool.lnk", folders_.Desktop + tools + "\\Tool.lnk",
                    folders_.Programs + tools + "\\Tool.lnk", windows_ + "\\setuptest_engine.ini"}));
    EXPECT_EQ(
        SectionKeys(record, "Folder"),
        (Keys{app + "Logs\\", folders_.StartMenu + tools, folders_.StartMenu + "Setup Tests", folders_.Desktop + tools,
              folders_.Desktop + "Setup Tests", folders_.Programs + tools, folders_.Programs + "Setup Tests"}));
    EXPECT_EQ(SectionKeys(record, "Registry"), (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsEngine\\App",
                                                     "HKEY_LOCAL_MACHINE\\Software\\SetupTestsEngine\\Machine"}));
    EXPECT_EQ(SectionKeys(record, "Created Keys"), (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsEngine",
                                                         "HKEY_LOCAL_MACHINE\\Software\\SetupTestsEngine"}));
    EXPECT_EQ(TIniFile(app + "uninstaller.cfg").ReadString("Name", "Title", ""), kTitle);

    EXPECT_EQ(TIniFile(windows_ + "\\setuptest_engine.ini").ReadString("Options", "Color", ""), "Blue");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsEngine\\App", "Path"), "C:\\App");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\SetupTestsEngine\\Machine", "Dir"), "C:\\M");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle), "DisplayName"), kTitle);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle), "UninstallString"),
              "\"" + app + "setup.exe\" -- " + kTitle);

    for (const std::string& link : {folders_.StartMenu + "Tool.lnk", folders_.Desktop + tools + "\\Tool.lnk",
                                    folders_.Programs + tools + "\\Tool.lnk"}) {
        const LinkContents contents = ReadShellLink(link);
        ASSERT_TRUE(contents.Loaded) << link;
        EXPECT_EQ(contents.Target, app + "readme.txt") << link;
        EXPECT_EQ(WithTrailingBackslash(contents.WorkingDirectory), app) << link;
        EXPECT_EQ(contents.IconFile, app + "app.ico") << link;
    }
    EXPECT_FALSE(FileExists(folders_.Desktop + "Tool.lnk")) << "its row was not ticked";

    EXPECT_EQ(progress.Without("Dest1"),
              (Keys{"mark Image1", "range 14", "mark StepMarks 1", "Label2: Creating Folders", "Label1: Folders: Tool",
                    "mark StepMarks 2", "Label2: Creating Registry Entries", "Label2: Creating Uninstaller",
                    "Label2: Finished"}));
    EXPECT_EQ(progress.Position, 12) << "eight destinations, one shortcut, three entries";
    EXPECT_GE(progress.Messages, 12) << "the window gets its messages between items";
    const Keys dest1 = [&] {
        Keys captions;
        for (const std::string& event : progress.Events)
            if (event.starts_with("Dest1")) captions.push_back(event);
        return captions;
    }();
    EXPECT_EQ(dest1, (Keys{"Dest1: Installing : readme.txt", "Dest1: Installing : x.txt",
                           "Dest1: Creating Directories .. ", "Dest1: Installing : setuptest_engine.txt",
                           "Dest1: Installing : setuptest_windows.txt", "Dest1: Installing : setup.exe",
                           "Dest1: Installing : install.cfg", "Dest1: Installing : finstall.cfg"}));
}

TEST_F(InstallRun, EmptyPlanStillInstallsTheSetupProgramAndItsConfiguration)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {});
    Install({});

    EXPECT_EQ(ScratchDir::Read(AppDir() + "install.cfg"), "the install.cfg");
    const std::string app = AppDir();
    EXPECT_EQ(Record(), (RawSections{{"Files", {app + "*.*"}},
                                     {"Placed Files", {app + "setup.exe", app + "install.cfg", app + "finstall.cfg"}},
                                     {"Name", {"Title"}}}));
    EXPECT_EQ(progress.Without("Dest1"),
              (Keys{"mark Image1", "range 0", "mark StepMarks 1", "Label2: Creating Folders", "mark StepMarks 2",
                    "Label2: Creating Registry Entries", "Label2: Creating Uninstaller", "Label2: Finished"}));
    EXPECT_EQ(progress.Position, 3) << "the bar shows full past its maximum";
}

TEST_F(InstallRun, SameDestinationTwiceIsCopiedOnceAndRecordedOnce)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {});
    Support("twice.txt", "first");
    Install({"Installation Directory,C:\\a\\twice.txt", "Installation Directory,C:\\b\\twice.txt"});

    EXPECT_EQ(ScratchDir::Read(AppDir() + "twice.txt"), "first");
    EXPECT_FALSE(FileExists(global.TempDir + "twice.txt")) << "the second copy finds no source";
    EXPECT_EQ(SectionKeys(Record(), "Files"), (Keys{AppDir() + "*.*"}));
}

std::string VersionedDll(const std::string& version)
{
    return ScratchDir::Read(std::string(VERSIONED_DLLS) + "\\" + version + ".dll");
}

// A file of the plan never replaces a higher version of itself, the high half of the version first: the one there
// is kept as it was, named once however often the plan names it, and not recorded. An equal or higher version
// replaces it, and so does any copy where either side has no version resource.
TEST_F(InstallRun, AnOlderVersionNeverReplacesANewerOne)
{
    struct Case {
        std::string Name, There, Copy;
        bool Kept;
    };
    const std::string older = VersionedDll("1.0.0.9");
    const std::string newerLow = VersionedDll("1.0.1.0");
    const std::string newer = VersionedDll("2.0.0.0");
    const std::vector<Case> cases{
        {"newer.dll", newer, older, true},
        {"newerlow.dll", newerLow, older, true},
        {"older.dll", older, newer, false},
        {"olderlow.dll", older, newerLow, false},
        {"equal.dll", newer + "an earlier build", newer, false},
        {"text.dll", "no version", older, false},
        {"unversioned.dll", newer, VersionedDll("none"), false},
    };
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {});
    port::MakeDir(choices.InstallDir);
    Keys plan;
    for (const Case& c : cases) {
        ScratchDir::Write(AppDir() + c.Name, c.There);
        Support(c.Name, c.Copy);
        plan.push_back("Installation Directory,C:\\" + c.Name);
    }
    plan.push_back("Installation Directory,C:\\newer.dll");
    Install(plan);

    const Keys recorded = SectionKeys(Record(), "Files");
    std::string notInstalled = "These files were not installed:";
    for (const Case& c : cases) {
        const std::string path = AppDir() + c.Name;
        EXPECT_EQ(ScratchDir::Read(path) == c.There, c.Kept) << c.Name;
        EXPECT_EQ(ScratchDir::Read(path) == c.Copy, !c.Kept) << c.Name;
        EXPECT_EQ(std::find(recorded.begin(), recorded.end(), path) != recorded.end(), !c.Kept) << c.Name;
        if (c.Kept) notInstalled += "\r\n" + path + " (a newer version is installed)";
    }
    EXPECT_EQ(OutcomeMessage(outcome_), notInstalled);
    EXPECT_NE(std::find(progress.Logged.begin(), progress.Logged.end(),
                        "Not installed: " + AppDir() + "newer.dll (a newer version is installed)"),
              progress.Logged.end());
    EXPECT_EQ(port::ListDirectory(AppDir()).size(), cases.size() + 4) << "nothing staged is left beside them";
}

// The directories the first installation made are there for the second; its record says they are the
// product's, and so the second records them as the first did. Another product's record claims nothing.
TEST_F(InstallRun, InstallingAgainOwnsWhatTheEarlierInstallationOfTheProductRecorded)
{
    Leftovers leftovers(
        {{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}, {HKEY_LOCAL_MACHINE, UninstallKeyPath("Setup Tests Other")}},
        {});
    Support("a.txt", "a");
    Support("old.txt", "old");
    Install({"Installation Directory,Data,C:\\a.txt", "Installation Directory,Old,C:\\old.txt",
             "Installation Directory,Logs,"});
    global.InstallFiles.clear();
    Install({"Installation Directory,Data,C:\\a.txt", "Installation Directory,Logs,"});

    const std::string app = AppDir();
    const Keys placed{app + "Data\\a.txt", app + "setup.exe", app + "install.cfg", app + "finstall.cfg"};
    EXPECT_EQ(Record(), (RawSections{{"Files", {app + "Data\\*.*", app + "Logs\\*.*", app + "*.*"}},
                                     {"Placed Files", placed},
                                     {"Folder", {app + "Logs\\"}},
                                     {"Name", {"Title"}}}));
    EXPECT_FALSE(port::IsDirectory(app + "Old")) << "what only the earlier installation placed is gone";

    choices.Title = "Setup Tests Other";
    global.InstallFiles.clear();
    Install({"Installation Directory,Data,C:\\a.txt", "Installation Directory,Logs,"});
    EXPECT_EQ(Record(), (RawSections{{"Files",
                                      {app + "Data\\a.txt", app + "setup.exe", app + "install.cfg",
                                       app + "finstall.cfg", app + "uninstaller.cfg"}},
                                     {"Placed Files", placed},
                                     {"Name", {"Title"}}}));
}

// An uninstallation left the running uninstaller and its directory to the next restart, and an older copy
// waiting to replace a file in use. Installing again before that restart keeps what it installs.
TEST_F(InstallRun, AReinstallationBeforeTheRestartTakesItsFilesOutOfThePendingRemovals)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {});
    SavedPendingRenames pending;
    const std::string app = AppDir();
    const std::string elsewhere = scratch_ / "Elsewhere\\kept.txt";
    CreateDirectoryA(app.c_str(), nullptr);
    CreateDirectoryA((scratch_ / "Elsewhere").c_str(), nullptr);
    for (const std::string& file : {app + "setup.exe", app + "~st1.tmp", elsewhere}) ScratchDir::Write(file, "old");
    ASSERT_TRUE(MoveFileExA((app + "setup.exe").c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_TRUE(MoveFileExA(app.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_TRUE(MoveFileExA((app + "~st1.tmp").c_str(), (app + "readme.txt").c_str(),
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(MoveFileExA(elsewhere.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    Support("readme.txt", "new");
    Install({"Installation Directory,C:\\readme.txt"});

    EXPECT_EQ(pending.Added(), "\\??\\" + elsewhere + std::string(2, '\0')) << "only what is not the installation's";
    EXPECT_FALSE(FileExists(app + "~st1.tmp")) << "the older copy goes";
    EXPECT_EQ(ScratchDir::Read(app + "readme.txt"), "new");
}

// Names the profile API would cut or trim are written so that they read back, and the run completes: a
// folder whose field had a blank before its comma, a key section ending in a blank, a value named with "=".
TEST_F(InstallRun, NamesTheProfileApiWouldChangeAreRecordedExactlyAndRemovedAgain)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}, {HKEY_CURRENT_USER, "Software\\SetupTestsNames"}},
                        {});
    TRegistry(HKEY_CURRENT_USER).CreateKey("Software\\SetupTestsNames\\Shared");
    global.ShortcutEntries = {"Tool,<InstallDir>\\setup.exe,,,,,Setup Tests ,"};
    global.RegistryEntries = {"HKEY_CURRENT_USER\\Software\\SetupTestsNames\\Own,App ,Path,1",
                              "HKEY_CURRENT_USER\\Software\\SetupTestsNames,Shared,a=b,2"};
    Install({});
    ASSERT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsNames\\Shared", "a=b"), "2");
    ASSERT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTestsNames\\Own\\App "));

    ScriptedUninstallView view;
    RunUninstall({AppDir(), kTitle, FoundUninstallEntry(kTitle), false}, view);

    EXPECT_FALSE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTestsNames\\Own"));
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTestsNames\\Shared"));
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsNames\\Shared", "a=b"), "");
    EXPECT_FALSE(port::IsDirectory(folders_.Programs + "Setup Tests"));
}

TEST_F(InstallRun, WindowsDirectorySpelledInOtherLettersIsStillRecordedFileByFile)
{
    const std::string upper = UpperCase(windows_) + "\\";
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}},
                        {upper + "setuptest_case.txt", upper + "setup.exe", upper + "install.cfg",
                         upper + "finstall.cfg", upper + "uninstaller.cfg"});
    ASSERT_NE(upper, windows_ + "\\") << "the test needs a Windows directory with lower-case letters";
    Support("setuptest_case.txt", "case");
    choices.InstallDir = upper;
    Install({"Installation Directory,C:\\setuptest_case.txt"});

    EXPECT_EQ(ScratchDir::Read(upper + "setuptest_case.txt"), "case");
    EXPECT_EQ(SectionKeys(ReadRawSections(upper + "uninstaller.cfg"), "Files"),
              (Keys{upper + "setuptest_case.txt", upper + "setup.exe", upper + "install.cfg", upper + "finstall.cfg",
                    upper + "uninstaller.cfg"}));
}

TEST_F(InstallRun, ExistingFolderAndDriveRootAreRecordedFileByFile)
{
    const std::string root = SystemDrive();
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {root + "setuptest_root.txt"});
    choices.InstallDir = scratch_ / "Existing";
    port::MakeDir(choices.InstallDir);
    port::MakeDir(AppDir() + "Logs");
    ScratchDir::Write(AppDir() + "users-own.txt", "keep me");
    Support("a.txt", "a");
    Support("setuptest_root.txt", "root");
    Support("logo.gif", "GIF89a");
    Support("logo@2x.gif", "GIF89a, twice the pixels");  // its larger twin goes with it
    global.InstallSettings.LogoFile = "logo.gif";
    Install({"Installation Directory,C:\\a.txt", "Installation Directory,Logs,", "Installation Directory,New,",
             "Root,C:\\setuptest_root.txt"});

    const std::string app = AppDir();
    EXPECT_EQ(ScratchDir::Read(root + "setuptest_root.txt"), "root");
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "Files"), (Keys{app + "a.txt", app + "New\\*.*", root + "setuptest_root.txt",
                                                  app + "setup.exe", app + "install.cfg", app + "finstall.cfg",
                                                  app + "uninstaller.cfg", app + "logo.gif", app + "logo@2x.gif"}));
    EXPECT_EQ(SectionKeys(record, "Folder"), (Keys{app + "New\\"})) << "Logs was there before";
    EXPECT_EQ(ScratchDir::Read(app + "users-own.txt"), "keep me");
}

// What was there before the installation survives its removal: the user's file in the destination,
// the other value of a shared key the installation wrote into, the other key of win.ini.
TEST_F(InstallRun, UninstallRemovesOnlyWhatTheInstallationCreated)
{
    const std::string shared = "Software\\Microsoft\\SetupTests\\Shared";
    const std::string winIni = windows_ + "\\win.ini";
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\Microsoft\\SetupTests"},
                         {HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}},
                        {});
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(shared, true));
    registry.WriteString("Other", "keep");
    registry.CloseKey();
    WritePrivateProfileStringA("SetupTestsRoundTrip", "Other", "keep", winIni.c_str());
    choices.InstallDir = scratch_ / "Existing";
    port::MakeDir(choices.InstallDir);
    ScratchDir::Write(AppDir() + "users-own.txt", "keep me");
    Support("a.txt", "a");
    global.RegistryEntries = {"HKEY_CURRENT_USER\\Software\\Microsoft\\SetupTests,Shared,Mine,1",
                              "win.ini,SetupTestsRoundTrip,Mine,1"};
    Install({"Installation Directory,C:\\a.txt"});
    ASSERT_EQ(RegistryString(HKEY_CURRENT_USER, shared, "Mine"), "1");

    ScriptedUninstallView view({caAll, caAll, caAll});
    RunUninstall({AppDir(), kTitle, FoundUninstallEntry(kTitle), false}, view);

    EXPECT_FALSE(FileExists(AppDir() + "a.txt"));
    EXPECT_EQ(ScratchDir::Read(AppDir() + "users-own.txt"), "keep me");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, shared, "Other"), "keep");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, shared, "Mine"), "");
    TIniFile ini(winIni);
    EXPECT_EQ(ini.ReadString("SetupTestsRoundTrip", "Other", ""), "keep");
    EXPECT_EQ(ini.ReadOptionalString("SetupTestsRoundTrip", "Mine"), std::nullopt);
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath(kTitle)));
    ini.EraseSection("SetupTestsRoundTrip");
}

// An installation on a network path is removed from the record it left there.
TEST_F(InstallRun, AnInstallationOnAShareIsRemovedFromItsRecordThere)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {});
    choices.InstallDir = "\\\\setuptests\\share\\SetupTests-" + std::to_string(GetCurrentProcessId());
    Support("a.txt", "a");
    Install({"Installation Directory,Data,C:\\a.txt"});
    ASSERT_EQ(ScratchDir::Read(AppDir() + "Data\\a.txt"), "a");

    ScriptedUninstallView view;
    RunUninstall({AppDir(), kTitle, FoundUninstallEntry(kTitle), false}, view);
    EXPECT_FALSE(port::IsDirectory(AppDir())) << "everything the installation made there";
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath(kTitle)));
}

TEST_F(InstallRun, RecordThatCannotBeWrittenStopsTheRunBeforeAnythingChanges)
{
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTests\\Blocked"}}, {});
    ScratchDir::Write(scratch_ / "blocker", "a file where a directory should be");
    choices.InstallDir = scratch_ / "blocker\\App";
    TRegistry(HKEY_CURRENT_USER).CreateKey("Software\\SetupTests\\Blocked\\App");
    global.RegistryEntries = {"HKEY_CURRENT_USER\\Software\\SetupTests\\Blocked,App,Name,Value"};

    try {
        Install({"Installation Directory,C:\\a.txt"});
        FAIL() << "the run went on";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), UndoneMessage("Unable to write to " + AppDir() + "uninstaller.cfg", {}));
    }
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTests\\Blocked\\App")) << "no pre-clean yet";
}

TEST_F(InstallRun, DestinationWithoutDirectoryStopsTheRunAndUndoesWhatItDid)
{
    Support("a.txt", "a");
    try {
        Install({"Installation Directory,C:\\a.txt", "C:\\lost.txt"});
        FAIL() << "the run went on";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), UndoneMessage("Unable to create directory", {}));
    }
    EXPECT_FALSE(port::IsDirectory(AppDir())) << "the directory, a.txt and the record were the run's";
}

TEST(DestinationRepeatsLater, OnlyLaterEntriesSpelledExactlyCount)
{
    const TStringList destinations{"C:\\A\\x.txt", "C:\\a\\x.txt", "C:\\A\\x.txt"};
    EXPECT_TRUE(DestinationRepeatsLater(destinations, 0, "C:\\A\\x.txt"));
    EXPECT_FALSE(DestinationRepeatsLater(destinations, 1, "C:\\a\\x.txt"));
    EXPECT_FALSE(DestinationRepeatsLater(destinations, 2, "C:\\A\\x.txt"));
    EXPECT_FALSE(DestinationRepeatsLater(destinations, 7, "C:\\A\\x.txt"));
}

}  // namespace
