#include "app/uninstall/UninstallEngine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "app/tests/SavedPendingRenames.h"
#include "app/tests/ScriptedUninstallView.h"
#include "app/tests/UninstallEntry.h"
#include "app/tests/UninstallRecordWriter.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "settings/Registry.h"
#include "shell/FileRoutines.h"
#include "shell/ShellFolders.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/settings/TestKey.h"

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

// A file of the Windows directory (or below it) made for one test and removed afterwards.
class WindowsFile {
public:
    explicit WindowsFile(const std::string& relative) : path_(WindowsDir() + "\\" + relative)
    {
        ScratchDir::Write(path_, "system");
    }
    ~WindowsFile() { DeleteFileA(path_.c_str()); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The product's entry under the uninstall key, removed afterwards whatever the test did.
class ProductEntry {
public:
    explicit ProductEntry(std::string title) : title_(std::move(title))
    {
        TRegistry registry(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(registry.OpenKey(kUninstallKey + title_, true));
        registry.WriteString("DisplayName", title_);
    }
    ~ProductEntry() { TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(kUninstallKey + title_); }
    ProductEntry(const ProductEntry&) = delete;
    ProductEntry& operator=(const ProductEntry&) = delete;

    bool Exists() const { return TRegistry(HKEY_LOCAL_MACHINE).KeyExists(kUninstallKey + title_); }

private:
    std::string title_;
};

void Touch(const std::string& path)
{
    CreateDirectoryPath(DirectoryPart(path));
    ScratchDir::Write(path, path);
}

void WriteValue(HKEY root, const std::string& key, const std::string& name)
{
    TRegistry registry(root);
    ASSERT_TRUE(registry.OpenKey(key, true)) << key;
    registry.WriteString(name, "data");
}

bool ValueExists(HKEY root, const std::string& key, const std::string& name)
{
    TRegistry registry(root);
    return registry.OpenKeyReadOnly(key) && registry.ValueExists(name);
}

bool ContainsLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(UninstallEngine, RemovesWhatTheRecordListsAndNothingElse)
{
    ScratchDir scratch;
    TestKey user(HKEY_CURRENT_USER);
    TestKey machine(HKEY_LOCAL_MACHINE);
    const std::string app = scratch / "App\\";
    const std::string programs = scratch / "Programs\\Vendor\\Tool\\";
    for (const char* file : {"tool.exe", "readme.txt", "setup.exe", "install.cfg"}) Touch(app + file);
    Touch(app + "Data\\sample.dat");
    Touch(programs + "Tool.lnk");
    Touch(scratch / "User\\mine.txt");
    ScratchDir::Write(scratch / "User\\shared.ini", "[Options]\r\nMine=1\r\nAdded=2\r\n[Other]\r\nAdded=3\r\n");
    WriteValue(HKEY_CURRENT_USER, user.Path() + "\\App\\Settings", "Path");
    WriteValue(HKEY_LOCAL_MACHINE, machine.Path() + "\\App", "Path");
    WriteValue(HKEY_CURRENT_USER, user.Path() + "\\Shared", "Mine");
    WriteValue(HKEY_CURRENT_USER, user.Path() + "\\Shared", "Added");
    ProductEntry entry("SetupTests Round Trip");

    WriteUninstallRecord(
        app,
        {{"Files", {app + "*.*", app + "Data\\*.*", programs + "Tool.lnk"}},
         {"Folder", {app + "Data\\", scratch / "Programs\\Vendor\\Tool", scratch / "Programs\\Vendor"}},
         {"Registry",
          {"HKEY_CURRENT_USER\\" + user.Path() + "\\App", "hkey_local_machine\\" + machine.Path() + "\\App"}},
         {"Registry Values", {"HKEY_CURRENT_USER\\" + user.Path() + "\\Shared|Added"}},
         {"INI Keys", {scratch / "User\\shared.ini|Options|Added"}}},
        "SetupTests Round Trip");

    ScriptedUninstallView view;
    RunUninstall({app, "SetupTests Round Trip", FoundUninstallEntry("SetupTests Round Trip"), false}, view);

    EXPECT_FALSE(port::IsDirectory(app)) << "files, the record, then the directories deepest first";
    EXPECT_FALSE(port::IsDirectory(scratch / "Programs\\Vendor"));
    EXPECT_TRUE(port::IsDirectory(scratch / "Programs")) << "not recorded";
    EXPECT_TRUE(port::FileExists(scratch / "User\\mine.txt"));
    EXPECT_FALSE(TRegistry(HKEY_CURRENT_USER).KeyExists(user.Path() + "\\App"));
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(machine.Path() + "\\App")) << "root names in any case";
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, user.Path() + "\\Shared", "Added"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, user.Path() + "\\Shared", "Mine")) << "only the recorded value";
    EXPECT_EQ(ScratchDir::Read(scratch / "User\\shared.ini"), "[Options]\r\nMine=1\r\n[Other]\r\nAdded=3\r\n");
    EXPECT_FALSE(entry.Exists());

    EXPECT_EQ(view.Lines("mark"), (std::vector<std::string>{"mark 1", "mark 2", "mark 3", "mark 4"}));
    EXPECT_EQ(view.Lines("bold"), (std::vector<std::string>{"bold 1 on", "bold 1 off", "bold 2 on", "bold 2 off",
                                                            "bold 3 on", "bold 3 off", "bold 4 on"}));
    EXPECT_EQ(view.Lines("range"), std::vector<std::string>{"range 6"});
    EXPECT_EQ(view.Lines("position").back(), "position 6");
    EXPECT_EQ(view.Lines("status"),
              (std::vector<std::string>{"status Deleteing *.*", "status Deleteing *.*", "status Deleteing Tool.lnk",
                                        "status Removing " + app, "status Removing " + app + "Data\\",
                                        "status Removing " + programs, "status Removing " + app + "Data\\",
                                        "status Removing " + scratch / "Programs\\Vendor\\Tool",
                                        "status Removing " + scratch / "Programs\\Vendor"}));
    EXPECT_TRUE(view.questions.empty()) << "nothing here belongs to Windows";
    const std::vector<std::string> ending(view.lines.end() - 4, view.lines.end());
    EXPECT_EQ(ending, (std::vector<std::string>{"caption Close", "enabled",
                                                "summary All Files,Folders and Icons Removed", "close"}));
    EXPECT_TRUE(ContainsLine(view.lines, "disabled")) << "the button cannot start a second run";
}

TEST(UninstallEngine, SystemFilesAreAskedAboutOnceAllCoversTheRest)
{
    ScratchDir scratch;
    WindowsFile shortcut("SetupTests-Shortcut.LNK");
    WindowsFile ini("SetupTests-Options.ini");
    WindowsFile library("system32\\SetupTests-Library.dll");
    WindowsFile font("Fonts\\SetupTests-Font.ttf");
    WindowsFile unrecorded("SetupTests-Unrecorded.ini");
    Touch(scratch / "App\\tool.exe");
    WriteUninstallRecord(scratch / "App\\",
                         {{"Files", {shortcut.Path(), ini.Path(), scratch / "App\\*.*", library.Path(), font.Path()}}},
                         "");

    ScriptedUninstallView view({caAll});
    RunUninstall({scratch / "App\\", "", std::nullopt, false}, view);

    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0], "File Possible used by Windows.\r" + ini.Path() + "\rDelete Anyway?");
    for (const WindowsFile* file : {&shortcut, &ini, &library, &font})
        EXPECT_FALSE(port::FileExists(file->Path())) << file->Path();
    EXPECT_TRUE(port::FileExists(unrecorded.Path()));
    EXPECT_TRUE(port::IsDirectory(WindowsDir() + "\\Fonts")) << "a directory of Windows is never removed";
}

TEST(UninstallEngine, YesDeletesNoAndAClosedDialogKeep)
{
    ScratchDir scratch;
    WindowsFile first("SetupTests-First.ini");
    WindowsFile second("SetupTests-Second.ini");
    WindowsFile third("system\\SetupTests-Third.drv");
    Touch(scratch / "App\\tool.exe");
    WriteUninstallRecord(scratch / "App\\",
                         {{"Files", {scratch / "App\\*.*", first.Path(), second.Path(), third.Path()}}}, "");

    ScriptedUninstallView view({caYes, caNo, caNone});
    RunUninstall({scratch / "App\\", "", std::nullopt, false}, view);

    EXPECT_EQ(view.questions.size(), 3u);
    EXPECT_FALSE(port::FileExists(first.Path()));
    EXPECT_TRUE(port::FileExists(second.Path()));
    EXPECT_TRUE(port::FileExists(third.Path()));
    EXPECT_EQ(view.Lines("status Deleteing"),
              (std::vector<std::string>{"status Deleteing *.*", "status Deleteing SetupTests-First.ini"}));
    EXPECT_EQ(view.Lines("status Skipping"), (std::vector<std::string>{"status Skipping SetupTests-Second.ini",
                                                                       "status Skipping SetupTests-Third.drv"}));
    EXPECT_EQ(view.Lines("range"), std::vector<std::string>{"range 8"});
    EXPECT_EQ(view.Lines("position").back(), "position 8") << "one step per key in each of the first two passes";
}

TEST(UninstallEngine, APatternKeyEmptiesItsDirectoryAndLeavesSubdirectories)
{
    ScratchDir scratch;
    const std::string tool = scratch / "Apps\\Tool\\";
    const std::string plain = scratch / "Apps\\Plain\\";
    Touch(tool + "a.exe");
    Touch(tool + "b.hlp");
    Touch(tool + "Sub\\user.txt");
    Touch(plain + "c.exe");
    WriteUninstallRecord(tool, {{"Files", {tool + "*.*", plain + "*.*"}}}, "");

    ScriptedUninstallView view;
    RunUninstall({tool, "", std::nullopt, false}, view);

    EXPECT_FALSE(port::FileExists(tool + "a.exe"));
    EXPECT_FALSE(port::FileExists(tool + "uninstaller.cfg")) << "the record goes with its directory's files";
    EXPECT_TRUE(port::FileExists(tool + "Sub\\user.txt"));
    EXPECT_TRUE(port::IsDirectory(tool)) << "not empty";
    EXPECT_FALSE(port::IsDirectory(plain)) << "empty after pass 1";
}

TEST(UninstallEngine, FilesInUseAndTheDirectoriesHoldingOnlyThemGoAtTheNextRestart)
{
    ScratchDir scratch;
    SavedPendingRenames pending;
    const std::string app = scratch / "App\\";
    Touch(app + "setup.exe");
    Touch(app + "Bin\\engine.dll");
    Touch(app + "notes.txt");
    Touch(scratch / "Kept\\in-use.txt");
    Touch(scratch / "Kept\\user.txt");
    // Read-only files the record names are the installation's: they go now, not at the restart.
    for (const std::string& readOnly : {app + "readonly.txt", scratch / "Kept\\readonly.txt"}) {
        Touch(readOnly);
        SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    // Open without FILE_SHARE_DELETE, as the system holds a running program.
    const auto hold = [](const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    const HANDLE program = hold(app + "setup.exe");
    const HANDLE library = hold(app + "Bin\\engine.dll");
    const HANDLE other = hold(scratch / "Kept\\in-use.txt");
    ASSERT_NE(program, INVALID_HANDLE_VALUE);
    WriteUninstallRecord(
        app, {{"Files", {app + "*.*", app + "Bin\\*.*", scratch / "Kept\\in-use.txt", scratch / "Kept\\readonly.txt"}}},
        "");

    ScriptedUninstallView view;
    RunUninstall({app, "", std::nullopt, false}, view);
    for (HANDLE handle : {program, library, other}) CloseHandle(handle);

    EXPECT_FALSE(port::FileExists(app + "notes.txt"));
    EXPECT_FALSE(port::FileExists(app + "readonly.txt"));
    EXPECT_FALSE(port::FileExists(scratch / "Kept\\readonly.txt"));
    EXPECT_TRUE(port::FileExists(app + "setup.exe")) << "in use";
    std::string expected;
    for (const std::string& path :
         {app + "setup.exe", app + "Bin\\engine.dll", scratch / "Kept\\in-use.txt", app + "Bin", scratch / "App"})
        expected += "\\??\\" + path + '\0' + '\0';
    EXPECT_EQ(pending.Added(), expected) << "files in record order, then directories deepest first; Kept holds "
                                            "a file of the user's";
}

// A file that was in use when the installation came waits beside it for the restart. Before that restart the
// file there is still the user's: the replacement is called off, the waiting copy deleted, and the file kept.
// Another program's entry waiting for the restart, whose path this program's code page cannot hold, stays
// exactly as it was.
TEST(UninstallEngine, AReplacementWaitingForTheRestartIsCalledOffAndTheFileThereKept)
{
    ScratchDir scratch;
    SavedPendingRenames pending;
    const std::string users = scratch / "Users\\";
    const std::string app = scratch / "App\\";
    const std::wstring foreign = L"\\??\\C:\\\x141\x00f3d\x017a\\notes.txt";  // a folder named in Polish
    SavedPendingRenames::Append(foreign, L"");
    Touch(users + "held.txt");
    ScratchDir::Write(users + "~st1.tmp", "the installation's copy");
    ASSERT_TRUE(MoveFileExA((users + "~st1.tmp").c_str(), (users + "held.txt").c_str(),
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    Touch(app + "tool.exe");
    ScratchDir::Write(app + "~st2.tmp", "the installation's copy");
    ASSERT_TRUE(MoveFileExA((app + "~st2.tmp").c_str(), (app + "tool.exe").c_str(),
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    WriteUninstallRecord(app, {{"Files", {users + "held.txt", app + "*.*"}}}, "");

    ScriptedUninstallView view;
    RunUninstall({app, "", std::nullopt, false}, view);

    EXPECT_EQ(ScratchDir::Read(users + "held.txt"), users + "held.txt") << "the user's file, as it was";
    EXPECT_FALSE(port::FileExists(users + "~st1.tmp"));
    EXPECT_FALSE(port::IsDirectory(app)) << "a directory of the installation's own goes whole";
    EXPECT_EQ(pending.AddedWide(), foreign + std::wstring(2, L'\0')) << "nothing but the other program's entry is left";
    EXPECT_EQ(view.Lines("status Skipping"), std::vector<std::string>{"status Skipping held.txt"});
}

// After an installation on a share the record is read from there too; where it cannot be read, nothing was
// removed, so the uninstaller says so and keeps the entry.
TEST(UninstallEngine, ARecordOnAShareIsReadAndAMissingRecordKeepsTheEntry)
{
    const std::string share = "\\\\setuptests\\share\\";
    ASSERT_TRUE(port::IsDirectory(share)) << "cmake/wine-run.sh maps the share into the prefix";
    const std::string app = share + "SetupTests-" + std::to_string(GetCurrentProcessId()) + "\\";
    Touch(app + "tool.exe");
    WriteUninstallRecord(app, {{"Files", {app + "*.*"}}}, "SetupTests Share");
    ProductEntry entry("SetupTests Share");

    ScriptedUninstallView view;
    RunUninstall({app, "SetupTests Share", FoundUninstallEntry("SetupTests Share"), false}, view);
    EXPECT_FALSE(port::IsDirectory(app));
    EXPECT_FALSE(entry.Exists());

    ProductEntry again("SetupTests Share");
    ScriptedUninstallView missing;
    RunUninstall({app, "SetupTests Share", FoundUninstallEntry("SetupTests Share"), false}, missing);
    EXPECT_EQ(missing.Lines("status"), std::vector<std::string>{"status Unable to Find uninstall.cfg!!"});
    EXPECT_TRUE(missing.Lines("summary").empty()) << "nothing was removed";
    EXPECT_TRUE(again.Exists());
    EXPECT_EQ(missing.lines.back(), "close");
}

// Directories the installation did not make stay, even empty: a single file's directory was there before it,
// and a "Folder" key that climbs with ".." is resolved before it is checked.
TEST(UninstallEngine, OnlyTheInstallationsOwnDirectoriesAreRemoved)
{
    ScratchDir scratch;
    const std::string fonts = WindowsDir() + "\\Fonts";
    ASSERT_TRUE(port::IsDirectory(fonts));
    Touch(scratch / "Users\\Empty\\a.txt");
    Touch(scratch / "App\\tool.exe");
    WriteUninstallRecord(scratch / "App\\",
                         {{"Files", {scratch / "App\\*.*", scratch / "Users\\Empty\\a.txt"}},
                          {"Folder", {fonts + "\\SetupTestsGone\\..", scratch / "App\\Sub\\.."}}},
                         "");

    ScriptedUninstallView view;
    RunUninstall({scratch / "App\\", "", std::nullopt, false}, view);
    const bool fontsKept = port::IsDirectory(fonts);
    if (!fontsKept) CreateDirectoryA(fonts.c_str(), nullptr);

    EXPECT_TRUE(fontsKept) << "an empty directory of Windows";
    EXPECT_FALSE(port::FileExists(scratch / "Users\\Empty\\a.txt"));
    EXPECT_TRUE(port::IsDirectory(scratch / "Users\\Empty")) << "there before the file";
    EXPECT_FALSE(port::IsDirectory(scratch / "App"));
}

TEST(UninstallEngine, WithoutFileKeysItOnlyReportsAndDeletesTheUninstallKey)
{
    ScratchDir scratch;
    TestKey user(HKEY_CURRENT_USER);
    WriteValue(HKEY_CURRENT_USER, user.Path() + "\\App", "Path");
    ProductEntry entry("SetupTests Empty Record");
    WriteUninstallRecord(scratch.Path(), {{"Registry", {"HKEY_CURRENT_USER\\" + user.Path() + "\\App"}}},
                         "SetupTests Empty Record");

    ScriptedUninstallView view;
    RunUninstall({scratch.Path(), "SetupTests Empty Record", FoundUninstallEntry("SetupTests Empty Record"), false},
                 view);

    EXPECT_EQ(view.Lines("status"), std::vector<std::string>{"status Unable to Find uninstall.cfg!!"});
    EXPECT_TRUE(view.Lines("range").empty());
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists(user.Path() + "\\App")) << "no passes run";
    EXPECT_FALSE(entry.Exists()) << "a broken entry leaves the list of installed programs";
    EXPECT_EQ(view.lines.back(), "close");
}

TEST(UninstallEngine, ARecordIsReadOnlyFromAnAbsoluteDirectory)
{
    // With an empty directory the profile API would read uninstaller.cfg of the Windows directory.
    ScratchDir scratch;
    Touch(scratch / "Victim\\data.txt");
    WindowsFile planted("uninstaller.cfg");
    WriteUninstallRecord(WindowsDir() + "\\", {{"Files", {scratch / "Victim\\*.*"}}}, "");

    ScriptedUninstallView view;
    RunUninstall({"", "", std::nullopt, false}, view);

    EXPECT_TRUE(port::FileExists(scratch / "Victim\\data.txt"));
    EXPECT_EQ(view.Lines("status"), std::vector<std::string>{"status Unable to Find uninstall.cfg!!"});
}

TEST(UninstallEngine, WithNothingToUninstallItOnlyCloses)
{
    ScratchDir scratch;
    Touch(scratch / "App\\tool.exe");
    WriteUninstallRecord(scratch / "App\\", {{"Files", {scratch / "App\\*.*"}}}, "SetupTests Exit");
    ProductEntry entry("SetupTests Exit");

    ScriptedUninstallView view;
    RunUninstall({scratch / "App\\", "SetupTests Exit", FoundUninstallEntry("SetupTests Exit"), true}, view);

    EXPECT_EQ(view.lines, (std::vector<std::string>{"mark 1", "close"}));
    EXPECT_TRUE(port::FileExists(scratch / "App\\tool.exe"));
    EXPECT_TRUE(entry.Exists());
}

}  // namespace
