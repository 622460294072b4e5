#include "app/RegistryStep.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "app/KeyPath.h"
#include "app/UninstallKey.h"
#include "port/Exception.h"
#include "shell/ShellFolders.h"
#include "ui/IniFile.h"

namespace {

using Keys = std::vector<std::string>;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The two passes over the entries, as the install run makes them, with a record in a scratch directory.
class RegistryStep : public ::testing::Test {
protected:
    RegistryStep() : record_(scratch_.Path()), steps_(progress_) { record_.Open(); }

    void Apply(const TStringList& entries)
    {
        ClearRegistryEntries(entries, progress_);
        TRegistryWriter(record_, progress_, steps_).WriteRegistryEntries(entries);
    }

    RawSections Record() const { return ReadRawSections(record_.Path()); }

    ScratchDir scratch_;
    ProgressRecorder progress_;
    TUninstallRecord record_;
    TProgressSteps steps_;
    const std::string windows_ = WindowsDir();
};

TEST_F(RegistryStep, EntriesGoUnderBothRootsAndAreRecordedAsWholeKeys)
{
    Leftovers leftovers(
        {{HKEY_LOCAL_MACHINE, "Software\\SetupTests\\Acme"}, {HKEY_CURRENT_USER, "Software\\SetupTests\\Acme"}}, {});
    TRegistry(HKEY_LOCAL_MACHINE).CreateKey("Software\\SetupTests\\Acme\\App\\Stale");
    const std::string machine = "HKEY_LOCAL_MACHINE\\Software\\SetupTests\\Acme,App,Path,C:\\App";
    const std::string user = "HKEY_CURRENT_USER\\Software\\SetupTests\\Acme,User,Name,Someone,ignored";
    // Each load of the configuration appends the entries again, so the run sees every one twice.
    Apply({machine, user, machine, user});

    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\SetupTests\\Acme\\App", "Path"), "C:\\App");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTests\\Acme\\User", "Name"), "Someone");
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists("Software\\SetupTests\\Acme\\App\\Stale"))
        << "the pre-clean erases the key the entry writes";
    EXPECT_EQ(Record(), (RawSections{{"Registry",
                                      {"HKEY_LOCAL_MACHINE\\Software\\SetupTests\\Acme\\App",
                                       "HKEY_CURRENT_USER\\Software\\SetupTests\\Acme\\User"}}}));
    EXPECT_EQ(progress_.Events, (Keys{"Label2: Creating Registry Entries"}));
    EXPECT_EQ(progress_.Position, 4);
}

TEST_F(RegistryStep, LowerCaseRootIsWrittenWhereTheUninstallerErasesIt)
{
    Leftovers leftovers(
        {{HKEY_LOCAL_MACHINE, "Software\\SetupTests\\Lower"}, {HKEY_CURRENT_USER, "Software\\SetupTests\\Lower"}}, {});
    Apply({"hkey_local_machine\\Software\\SetupTests\\Lower,App,Path,C:\\Low"});

    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\SetupTests\\Lower\\App", "Path"), "C:\\Low");
    EXPECT_FALSE(TRegistry(HKEY_CURRENT_USER).KeyExists("Software\\SetupTests\\Lower"));
    const Keys recorded = SectionKeys(Record(), "Registry");
    ASSERT_EQ(recorded, (Keys{"hkey_local_machine\\Software\\SetupTests\\Lower\\App"}));
    EraseKeyPath(recorded.front());
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists("Software\\SetupTests\\Lower\\App"));
}

TEST_F(RegistryStep, ValueInAnExistingOrSharedKeyIsRecordedAloneAndTheKeyKeepsItsOtherValues)
{
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTests\\Parent"}}, {});
    SavedValue ours(HKEY_CURRENT_USER, kRun, "SetupTestsRun");
    SavedValue theirs(HKEY_CURRENT_USER, kRun, "SetupTestsOther");
    SavedValue top(HKEY_CURRENT_USER, "Software\\SetupTests", "TopValue");
    TRegistry run(HKEY_CURRENT_USER);
    ASSERT_TRUE(run.OpenKey(kRun, true));
    run.WriteString("SetupTestsOther", "another program");

    Apply({"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion,Run,SetupTestsRun,C:\\App\\tool.exe",
           "HKEY_CURRENT_USER\\Software,SetupTests,TopValue,two levels",
           "HKEY_CURRENT_USER\\Software\\SetupTests\\Parent\\App,Deep,Name,made with its parents",
           "HKEY_CURRENT_USER\\Software\\SetupTests\\Parent,App,Name,into a parent made just now"});

    EXPECT_EQ(run.ReadString("SetupTestsRun"), "C:\\App\\tool.exe");
    EXPECT_EQ(run.ReadString("SetupTestsOther"), "another program");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTests", "TopValue"), "two levels");
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "Registry Values"),
              (Keys{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|SetupTestsRun",
                    "HKEY_CURRENT_USER\\Software\\SetupTests|TopValue",
                    "HKEY_CURRENT_USER\\Software\\SetupTests\\Parent\\App|Name"}));
    EXPECT_EQ(SectionKeys(record, "Registry"), (Keys{"HKEY_CURRENT_USER\\Software\\SetupTests\\Parent\\App\\Deep"}));
}

TEST_F(RegistryStep, EntryNamingNoKeyIsPassedOver)
{
    SavedValue rootDefault(HKEY_CURRENT_USER, "", "");
    Apply({"", "HKEY_CURRENT_USER\\,,,set on the root"});

    TRegistry root(HKEY_CURRENT_USER);
    ASSERT_TRUE(root.OpenKeyReadOnly(""));
    EXPECT_NE(root.ReadString(""), "set on the root");
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(progress_.Position, 2);
}

TEST_F(RegistryStep, OwnIniFileIsRewrittenFromScratchAndRecordedWhole)
{
    const std::string ini = windows_ + "\\setuptest_own.ini";
    Leftovers leftovers({}, {ini});
    ScratchDir::Write(ini, "[Old]\r\nStale=1\r\n");
    Apply({"setuptest_own.ini,Options,Color,Blue", "SETUPTEST_OWN.INI,Options,Size,10"});

    EXPECT_EQ(ReadRawSections(ini), (RawSections{{"Options", {"Color", "Size"}}}));
    EXPECT_EQ(Record(), (RawSections{{"Files", {ini}}})) << "the second key goes into the file this run made";
}

TEST_F(RegistryStep, WindowsIniFileAndOthersNotOursKeepTheirOtherKeys)
{
    const std::string winIni = windows_ + "\\win.ini";
    const std::string elsewhere = scratch_ / "elsewhere.ini";
    WritePrivateProfileStringA("SetupTestsOther", "Keep", "1", winIni.c_str());
    ScratchDir::Write(elsewhere, "[Mine]\r\nOld=1\r\n");

    const std::string notIni = windows_ + "\\setuptest.ini.txt";
    Leftovers leftovers({}, {notIni});
    ScratchDir::Write(notIni, "[Mine]\r\nOld=1\r\n");
    Apply({"win.ini,SetupTests,Key,Value", "WIN.INI.,SetupTests,Dotted,Value", elsewhere + ",Mine,New,2",
           "setuptest.ini.txt,Mine,New,3"});

    EXPECT_EQ(TIniFile(winIni).ReadString("SetupTests", "Key", ""), "Value");
    EXPECT_EQ(TIniFile(winIni).ReadString("SetupTestsOther", "Keep", ""), "1");
    EXPECT_EQ(TIniFile(elsewhere).ReadString("Mine", "Old", ""), "1");
    EXPECT_EQ(TIniFile(elsewhere).ReadString("Mine", "New", ""), "2");
    EXPECT_EQ(Record(), (RawSections{{"INI Keys",
                                      {winIni + "|SetupTests|Key", windows_ + "\\WIN.INI.|SetupTests|Dotted",
                                       elsewhere + "|Mine|New", notIni + "|Mine|New"}}}));
    EXPECT_EQ(TIniFile(notIni).ReadString("Mine", "Old", ""), "1") << "not named like an INI file of its own";
    for (const char* section : {"SetupTests", "SetupTestsOther"})
        WritePrivateProfileStringA(section, nullptr, nullptr, winIni.c_str());
}

TEST_F(RegistryStep, IniWriteThatFailsStopsWithTheFileName)
{
    const std::string target = scratch_ / "missing\\app.ini";
    try {
        Apply({target + ",S,N,V"});
        FAIL() << "the write was refused without a word";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + target);
    }
}

TEST(EraseKeyPath, DeletesAKeyWithItsSubkeysButNeverASharedOne)
{
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTests\\Erase"},
                         {HKEY_CURRENT_USER, "Software\\Microsoft\\SetupTests"},
                         {HKEY_CURRENT_USER, "Software\\Classes\\SetupTests"}},
                        {});
    TRegistry user(HKEY_CURRENT_USER);
    for (const char* key : {"Software\\SetupTests\\Erase\\App\\Sub\\Deeper", "Software\\Microsoft\\SetupTests\\App",
                            "software\\classes\\SetupTests\\App"})
        ASSERT_TRUE(user.CreateKey(key));

    EraseKeyPath("HKEY_CURRENT_USER\\Software\\SetupTests\\Erase\\App");
    EraseKeyPath("Software\\SetupTests");
    EraseKeyPath("HKEY_CURRENT_USER\\Software\\Microsoft\\SetupTests\\App");
    EraseKeyPath("HKEY_CURRENT_USER\\SOFTWARE\\\\Classes\\SetupTests\\App");

    EXPECT_FALSE(user.KeyExists("Software\\SetupTests\\Erase\\App"));
    EXPECT_TRUE(user.KeyExists("Software\\SetupTests\\Erase")) << "Software\\SetupTests is two levels below the root";
    EXPECT_TRUE(user.KeyExists("Software\\Microsoft\\SetupTests\\App"));
    EXPECT_TRUE(user.KeyExists("Software\\Classes\\SetupTests\\App"));
}

// The uninstall-mode start reads the directory back with ProgramDirectoryOf (app/RunMode.h).
TEST(UninstallKey, TheCommandQuotesTheProgram)
{
    EXPECT_EQ(UninstallCommand("C:\\Program Files\\My App\\", "My App: 2\\3"),
              "\"C:\\Program Files\\My App\\setup.exe\" My App: 2\\3");
}

TEST(UninstallKey, TitleThatWouldNameAnotherKeyWritesNothing)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath("Setup Tests A")}}, {});
    ProgressRecorder progress;
    WriteUninstallKey("", "C:\\App\\", progress);
    WriteUninstallKey("Setup Tests A\\B", "C:\\App\\", progress);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(""), "DisplayName"), "");
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath("Setup Tests A")));
    EXPECT_EQ(progress.Events, (Keys{"Label2: Creating Uninstaller", "Label2: Creating Uninstaller"}));
}

}  // namespace
