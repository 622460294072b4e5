#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "app/record/RegistryRemoval.h"
#include "app/record/UninstallRecordReader.h"
#include "app/tests/InstallTestSupport.h"
#include "app/tests/ScriptedUninstallView.h"
#include "app/tests/UninstallRecordWriter.h"
#include "app/uninstall/UninstallEngine.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "settings/Registry.h"
#include "shell/ShellFolders.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/settings/TestKey.h"

namespace {

const std::vector<std::string> kSystemDirs = SystemDirsOf("C:\\windows");

TEST(UninstallRecordReader, ReadsEveryKeyOfALongRecordSplitIntoItsFields)
{
    ScratchDir scratch;
    std::vector<std::string> files;
    for (int i = 0; i < 700; ++i)
        files.push_back("C:\\Program Files\\Vendor\\Product\\Component" + std::to_string(i) + "\\*.*");
    WriteUninstallRecord(scratch.Path(),
                         {{"Files", files},
                          {"INI Keys", {"C:\\a.ini|S|K|with a bar", "C:\\b.ini|S"}},
                          {"Registry Values", {"HKEY_CURRENT_USER\\Software\\A|Name|with a bar", "no value named"}}},
                         "Title");

    const TUninstallRecordContents record = ReadUninstallRecord(scratch.Path());
    EXPECT_TRUE(record.Found);
    EXPECT_EQ(record.Title, "Title");
    EXPECT_EQ(record.Files, files) << "more than the 16,384 bytes of a configuration list";
    ASSERT_EQ(record.IniKeys.size(), 1u) << "a key without its three fields is left out";
    EXPECT_EQ(record.IniKeys[0].Key, "K|with a bar") << "split at the first two \"|\"";
    ASSERT_EQ(record.RegistryValues.size(), 1u);
    EXPECT_EQ(record.RegistryValues[0].Name, "Name|with a bar");
    EXPECT_TRUE(record.Folders.empty());
    EXPECT_FALSE(ReadUninstallRecord(scratch / "Missing\\").Found);
}

// A record with the UTF-8 mark is UTF-8; one without it is an earlier version's, in the machine's code page
// (1252 in the tests' prefix). Whatever the bytes, a record reads without a fault.
TEST(UninstallRecordReader, MarkedRecordsAreUtf8AndOthersComeFromTheMachinesCodePage)
{
    const std::string cafe = "C:\\Caf\xC3\xA9\\menu \xE2\x82\xAC.txt";  // UTF-8 "Café\menu €.txt"
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> files;
        std::string title;
    } rows[] = {
        {"legacy", "[Files]\r\nC:\\Caf\xE9\\menu \x80.txt=\r\n[Name]\r\nTitle=Caf\xE9\r\n", {cafe}, "Caf\xC3\xA9"},
        {"marked",
         std::string(kUtf8Mark) + "[Files]\r\n" + cafe + "=\r\n[Name]\r\nTitle=Caf\xC3\xA9\r\n",
         {cafe},
         "Caf\xC3\xA9"},
        {"marked, not UTF-8: kept", std::string(kUtf8Mark) + "[Name]\r\nTitle=Caf\xE9", {}, "Caf\xE9"},
        {"the mark alone", std::string(kUtf8Mark), {}, ""},
        {"half a mark", "\xEF\xBB[Files]\r\nC:\\x=\r\n", {}, ""},
        {"unclosed header", "[Files\r\nC:\\x=\r\n[Name]\r\nTitle=T", {}, "T"},
        {"NULs and a lone lead byte",
         std::string("[Files]\r\nC:\\a\0b=\r\n\xE3", 19),
         {std::string("C:\\a\0b", 6)},
         ""},
    };
    for (const auto& row : rows) {
        ScratchDir scratch;
        ScratchDir::Write(scratch / "uninstaller.cfg", row.bytes);
        const TUninstallRecordContents record = ReadUninstallRecord(scratch.Path());
        EXPECT_TRUE(record.Found) << row.what;
        EXPECT_EQ(record.Files, row.files) << row.what;
        EXPECT_EQ(record.Title, row.title) << row.what;
    }
}

TEST(FileKeyRules, AKeyIsActedOnOnlyWhereItCannotReachBeyondWhatItNames)
{
    EXPECT_EQ(RemovableFileKey("C:\\Apps\\Tool\\*.*", kSystemDirs), "C:\\Apps\\Tool\\*.*");
    EXPECT_EQ(RemovableFileKey("C:\\Apps\\Tool\\..\\Other\\a.txt", kSystemDirs), "C:\\Apps\\Other\\a.txt");
    EXPECT_EQ(RemovableFileKey("C:\\boot.ini", kSystemDirs), "C:\\boot.ini") << "a single file of a root";
    EXPECT_EQ(RemovableFileKey("C:\\windows\\app.ini", kSystemDirs), "C:\\windows\\app.ini");
    EXPECT_EQ(RemovableFileKey("C:\\windows\\MyApp\\*.*", kSystemDirs), "C:\\windows\\MyApp\\*.*");
    EXPECT_EQ(RemovableFileKey("\\\\server\\share\\App\\*.*", kSystemDirs), "\\\\server\\share\\App\\*.*")
        << "an installation on a share";
    EXPECT_TRUE(IsAbsoluteDirectory("\\\\server\\share\\App\\"));

    for (const char* hostile :
         {"", "*.*", "Tool\\*.*", "\\Apps\\*.*", "C:*.*", "C:\\", "C:\\Apps\\", "C:\\*.*", "c:\\*", "C:\\Apps\\..\\*.*",
          "C:/*.*", "C:\\\\*.*", "C:\\Apps\\.\\..\\?.*", "C:\\WINDOWS\\*.*", "C:\\windows\\system32\\*.dll",
          "C:\\Windows\\Fonts\\*", "C:\\windows\\System\\..\\*.*", "\\\\server\\share\\*.*",
          "\\\\server\\share\\App\\..\\..\\*.*", "\\\\?\\C:\\App\\*.*", "\\\\.\\C:\\App\\*.*", "\\\\server\\*.*"})
        EXPECT_EQ(RemovableFileKey(hostile, kSystemDirs), std::nullopt) << hostile;
}

TEST(FileKeyRules, EverythingUnderTheWindowsDirectoryButShortcutsIsASystemFile)
{
    EXPECT_TRUE(IsSystemFileKey("C:\\WINDOWS\\myapp.ini", kSystemDirs));
    EXPECT_TRUE(IsSystemFileKey("C:\\Windows\\System32\\a.dll", kSystemDirs));
    EXPECT_TRUE(IsSystemFileKey("C:\\windows\\MyApp\\*.*", kSystemDirs));
    EXPECT_FALSE(IsSystemFileKey("C:\\Windows\\Start Menu\\Tool.Lnk", kSystemDirs));
    EXPECT_FALSE(IsSystemFileKey("C:\\Apps\\windows\\a.dll", kSystemDirs));
    EXPECT_FALSE(IsSystemFileKey("C:\\windowsapp\\a.dll", kSystemDirs)) << "the directory ends in \\";
}

TEST(RegistryRemoval, TheRootIsCutAsTheInstallationWritesIt)
{
    const auto parsed = [](const std::string& path) { return std::optional<TKeyPath>(ParseKeyPath(path)); };
    EXPECT_EQ(parsed("HKEY_LOCAL_MACHINE\\Software\\Acme\\App")->Root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(parsed("HKEY_LOCAL_MACHINE\\Software\\Acme\\App")->Path, "Software\\Acme\\App");
    EXPECT_EQ(parsed("hkey_local_machine\\Software\\Acme")->Root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(parsed("HKEY_CURRENT_USER\\Software\\Acme")->Root, HKEY_CURRENT_USER);
    EXPECT_EQ(parsed("HKEY_CLASSES_ROOT\\Software\\Acme")->Root, HKEY_CURRENT_USER);
    EXPECT_EQ(parsed("HKEY_CLASSES_ROOT\\Software\\Acme")->Path, "Software\\Acme");
    EXPECT_EQ(parsed("Software\\Acme\\App")->Path, "Software\\Acme\\App") << "no root name: the current user";
    EXPECT_EQ(parsed("\\Software\\\\Acme\\")->Path, "Software\\Acme");
    for (const char* rootOnly : {"", "HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE\\", "HKEY_CURRENT_USER\\\\\\", "\\"})
        EXPECT_FALSE(NamesAKey(ParseKeyPath(rootOnly))) << rootOnly;
}

TEST(RegistryRemoval, WholeKeysOnlyDeepEnoughAndNotShared)
{
    TestKey user(HKEY_CURRENT_USER);
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.CreateKey(user.Path() + "\\App\\Sub"));
    ASSERT_TRUE(registry.CreateKey("Software\\Microsoft\\SetupTestsCanary\\Sub"));
    ASSERT_TRUE(registry.CreateKey("Software\\Classes\\SetupTestsCanary"));
    ASSERT_TRUE(registry.CreateKey("Software\\Wow6432Node\\SetupTestsCanary\\Sub"));
    ASSERT_TRUE(registry.CreateKey("Software\\Wow6432Node\\Microsoft\\SetupTestsCanary"));

    for (const char* hostile :
         {"HKEY_CURRENT_USER\\", "HKEY_CURRENT_USER\\Software", "HKEY_CURRENT_USER\\\\Software\\\\SetupTests\\",
          "Software\\SetupTests", "HKEY_CURRENT_USER\\Software\\Microsoft\\SetupTestsCanary",
          "HKEY_CURRENT_USER\\SOFTWARE\\CLASSES\\SetupTestsCanary", "Software\\Wow6432Node\\SetupTestsCanary",
          "Software\\wow6432node\\Microsoft\\SetupTestsCanary"})
        EXPECT_FALSE(EraseKeyPath(hostile)) << hostile;
    EXPECT_TRUE(registry.KeyExists("Software\\Microsoft\\SetupTestsCanary\\Sub"));
    EXPECT_TRUE(registry.KeyExists("Software\\Classes\\SetupTestsCanary"));
    EXPECT_TRUE(registry.KeyExists("Software\\Wow6432Node\\SetupTestsCanary\\Sub"));
    EXPECT_TRUE(registry.KeyExists("Software\\Wow6432Node\\Microsoft\\SetupTestsCanary"));
    EXPECT_TRUE(registry.KeyExists(user.Path() + "\\App\\Sub"));

    EXPECT_TRUE(EraseKeyPath("HKEY_CURRENT_USER\\" + user.Path() + "\\App"));
    EXPECT_FALSE(registry.KeyExists(user.Path() + "\\App"));
    EXPECT_TRUE(registry.KeyExists(user.Path()));
    registry.DeleteKey("Software\\Microsoft\\SetupTestsCanary");
    registry.DeleteKey("Software\\Classes\\SetupTestsCanary");
    registry.DeleteKey("Software\\Wow6432Node\\SetupTestsCanary");
    registry.DeleteKey("Software\\Wow6432Node\\Microsoft\\SetupTestsCanary");
}

TEST(RegistryRemoval, AValueEntryTakesThatValueOnly)
{
    TestKey user(HKEY_CURRENT_USER);
    user.WriteString("", "default");
    user.WriteString("Mine", "1");
    user.WriteString("Added", "2");
    user.WriteString("With|Bar", "3");
    const std::string key = "HKEY_CURRENT_USER\\" + user.Path();

    EXPECT_FALSE(RemoveRecordedValue({"HKEY_CURRENT_USER\\", "Added"}));
    EXPECT_FALSE(RemoveRecordedValue({key + "\\Missing", "Added"}));
    EXPECT_TRUE(RemoveRecordedValue({key, "Added"}));
    EXPECT_TRUE(RemoveRecordedValue({key, "With|Bar"}));
    EXPECT_FALSE(RemoveRecordedValue({key, "Added"}));

    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly(user.Path()));
    EXPECT_TRUE(registry.ValueExists("Mine"));
    EXPECT_EQ(registry.ReadString(""), "default");
}

TEST(RegistryRemoval, AnIniEntryTakesThatKeyOnlyAndASectionOnlyOnceItIsEmpty)
{
    ScratchDir scratch;
    const std::string ini = scratch / "shared.ini";
    ScratchDir::Write(ini, "[Options]\r\nMine=1\r\nAdded=2\r\n[Ours]\r\nA=1\r\n[Later]\r\nB=2\r\n[Empty]\r\n");
    const std::string bare = "SetupTests-Bare.ini";
    ScratchDir::Write(WindowsDir() + "\\" + bare, "[Options]\r\nAdded=2\r\n");

    for (const TRecordedIniKey& hostile : std::vector<TRecordedIniKey>{{ini, "Options", ""},
                                                                      {ini, "", "Added"},
                                                                      {bare, "Options", "Added"},
                                                                      {scratch / "missing.ini", "Options", "Added"}})
        EXPECT_FALSE(RemoveRecordedIniKey(hostile)) << hostile.File << "|" << hostile.Section << "|" << hostile.Key;
    EXPECT_FALSE(port::FileExists(scratch / "missing.ini")) << "a missing file is not created";
    EXPECT_TRUE(RemoveRecordedIniKey({ini, "options", "ADDED"}));
    EXPECT_TRUE(RemoveRecordedIniKey({ini, "Ours", "A"}));
    EXPECT_FALSE(RemoveEmptyIniSection({ini, "Later"})) << "a key was written there since";
    EXPECT_FALSE(RemoveEmptyIniSection({bare, "Options"}));
    EXPECT_TRUE(RemoveEmptyIniSection({ini, "ours"}));
    EXPECT_TRUE(RemoveEmptyIniSection({ini, "Empty"}));

    EXPECT_EQ(ReadRawSections(ini), (RawSections{{"Options", {"Mine"}}, {"Later", {"B"}}}));
    EXPECT_EQ(ScratchDir::Read(WindowsDir() + "\\" + bare), "[Options]\r\nAdded=2\r\n");
    DeleteFileA((WindowsDir() + "\\" + bare).c_str());
}

TEST(RegistryRemoval, ACreatedKeyGoesOnlyOnceNothingIsLeftInIt)
{
    TestKey user(HKEY_CURRENT_USER);
    TRegistry registry(HKEY_CURRENT_USER);
    const std::string key = "HKEY_CURRENT_USER\\" + user.Path();
    ASSERT_TRUE(registry.CreateKey(user.Path() + "\\Empty"));
    ASSERT_TRUE(registry.CreateKey(user.Path() + "\\WithKey\\Sub"));
    ASSERT_TRUE(registry.OpenKey(user.Path() + "\\WithValue", true));
    registry.WriteString("", "a default value counts");
    registry.CloseKey();

    EXPECT_TRUE(RemoveEmptyCreatedKey(key + "\\Empty"));
    EXPECT_FALSE(RemoveEmptyCreatedKey(key + "\\WithKey"));
    EXPECT_FALSE(RemoveEmptyCreatedKey(key + "\\WithValue"));
    EXPECT_FALSE(RemoveEmptyCreatedKey("HKEY_CURRENT_USER\\SetupTestsNoSuchTopKey")) << "right below a root";
    EXPECT_FALSE(registry.KeyExists(user.Path() + "\\Empty"));
    EXPECT_TRUE(registry.KeyExists(user.Path() + "\\WithKey\\Sub"));
    EXPECT_TRUE(registry.KeyExists(user.Path() + "\\WithValue"));
}

TEST(UninstallEngine, HostileKeysAreRefusedInEveryPass)
{
    ScratchDir scratch;
    TestKey user(HKEY_CURRENT_USER);
    user.WriteString("Kept", "1");
    const std::string canary = "SetupTests-Canary.hostile";
    const std::string rootCanary = "C:\\" + canary;
    ScratchDir::Write(rootCanary, "root");
    ScratchDir::Write(WindowsDir() + "\\" + canary, "windows");
    ScratchDir::Write(scratch / canary, "current directory");
    CreateDirectoryA((scratch / "App").c_str(), nullptr);
    ScratchDir::Write(scratch / "App\\tool.exe", "tool");
    std::optional<InDirectory> inScratch(scratch.Path());
    TRegistry registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.CreateKey("Software\\Microsoft\\Windows\\currentversion\\uninstall\\SetupTests Other"));

    WriteUninstallRecord(scratch / "App\\",
                         {{"Files",
                           {scratch / "App\\*.*", "*.hostile", "C:\\*.hostile", "C:\\Temp\\..\\*.hostile",
                            WindowsDir() + "\\*.hostile", "C:/*.hostile"}},
                          {"Registry", {"HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\", "HKEY_CURRENT_USER\\Software"}},
                          {"Registry Values", {"HKEY_CURRENT_USER\\" + user.Path()}}},
                         "");
    ScriptedUninstallView view;
    RunUninstall({scratch / "App\\", "", std::nullopt, false}, view);
    ScriptedUninstallView again;
    RunUninstall({scratch / "App\\", "\\", std::nullopt, false}, again);
    inScratch.reset();

    EXPECT_FALSE(port::FileExists(scratch / "App\\tool.exe")) << "the sound key of the record";
    for (const std::string& kept : {rootCanary, WindowsDir() + "\\" + canary, scratch / canary}) {
        EXPECT_TRUE(port::FileExists(kept)) << kept;
        DeleteFileA(kept.c_str());
    }
    EXPECT_EQ(view.Lines("status Skipping").size(), 5u);
    EXPECT_TRUE(view.questions.empty()) << "a refused key is not even asked about";
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTests"));
    EXPECT_TRUE(registry.KeyExists("Software\\Microsoft\\Windows\\currentversion\\uninstall\\SetupTests Other"))
        << "an empty title or one with \\ names no product's entry";
    registry.DeleteKey("Software\\Microsoft\\Windows\\currentversion\\uninstall\\SetupTests Other");
}

}  // namespace
