#include "app/install/RegistryStep.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "UninstallEntry.h"
#include "UninstallRecordWriter.h"
#include "app/install/UninstallKey.h"
#include "app/record/KeyPath.h"
#include "port/Exception.h"
#include "settings/IniFile.h"
#include "shell/ShellFolders.h"

namespace {

using Keys = std::vector<std::string>;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The two passes over the entries, as the install run makes them, with a record in a scratch directory.
class RegistryStep : public ::testing::Test {
protected:
    RegistryStep() : record_(scratch_.Path()), steps_(progress_) { record_.Open(); }

    // The entries' targets are looked at before the pre-clean, as the install run does.
    void Apply(const TStringList& entries, const TEarlierInstallation& earlier = {})
    {
        const TEntriesBefore before(entries);
        ClearRegistryEntries(entries, earlier, progress_, journal_);
        TRegistryWriter(record_, earlier, before, progress_, steps_, journal_).WriteRegistryEntries(entries);
    }

    // An earlier installation of the product whose record lists sections, found through its entry.
    TEarlierInstallation Earlier(const RecordSections& sections) const
    {
        const std::string dir = scratch_ / "Earlier\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        WriteUninstallRecord(dir, sections, "Setup Tests Registry");
        const UninstallEntry entry("Setup Tests Registry");
        entry.Write("UninstallString", UninstallCommand(dir, "Setup Tests Registry"));
        return TEarlierInstallation(dir, "Setup Tests Registry");
    }

    RawSections Record() const { return ReadRawSections(record_.Path()); }

    ScratchDir scratch_;
    ProgressRecorder progress_;
    TUninstallRecord record_;
    TProgressSteps steps_;
    CommittedJournal journal_;
    const std::string windows_ = WindowsDir();
};

TEST_F(RegistryStep, EntriesGoUnderBothRootsAndNewKeysAreRecordedWholeWithTheParentsTheyCreate)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, "Software\\SetupTestsAcme"}, {HKEY_CURRENT_USER, "Software\\SetupTestsAcme"}},
                        {});
    const std::string machine = "HKEY_LOCAL_MACHINE\\Software\\SetupTestsAcme,App,Path,C:\\App";
    const std::string user = "HKEY_CURRENT_USER\\Software\\SetupTestsAcme,User,Name,Someone,ignored";
    // Each load of the configuration appends the entries again, so the run sees every one twice.
    Apply({machine, user, machine, user});

    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\SetupTestsAcme\\App", "Path"), "C:\\App");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsAcme\\User", "Name"), "Someone");
    EXPECT_EQ(Record(), (RawSections{{"Registry",
                                      {"HKEY_LOCAL_MACHINE\\Software\\SetupTestsAcme\\App",
                                       "HKEY_CURRENT_USER\\Software\\SetupTestsAcme\\User"}},
                                     {"Created Keys",
                                      {"HKEY_LOCAL_MACHINE\\Software\\SetupTestsAcme",
                                       "HKEY_CURRENT_USER\\Software\\SetupTestsAcme"}}}));
    EXPECT_EQ(progress_.Events, (Keys{"Label2: Creating Registry Entries"}));
    EXPECT_EQ(progress_.Position, 4);
}

// The pre-clean takes only what the earlier installation recorded as wholly its own. A key that was there
// before, the system's environment among them, keeps everything it had and is recorded value by value.
TEST_F(RegistryStep, PreCleanErasesOnlyTheEarlierInstallationsKeysAndJudgesExistenceBeforeIt)
{
    const std::string environment = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
    SavedKeyValues savedEnvironment(HKEY_LOCAL_MACHINE, environment);
    SavedValue variable(HKEY_LOCAL_MACHINE, environment, "SETUPTESTS_VARIABLE");
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTestsClean"}}, {});
    TRegistry user(HKEY_CURRENT_USER);
    ASSERT_TRUE(user.CreateKey("Software\\SetupTestsClean\\Ours\\App\\Stale"));
    ASSERT_TRUE(user.OpenKey("Software\\SetupTestsClean\\Theirs\\App", true));
    user.WriteString("TheirValue", "keep");
    ASSERT_TRUE(user.CreateKey("Software\\SetupTestsClean\\Theirs\\App\\TheirSubkey"));
    const std::size_t variables = ValueCount(HKEY_LOCAL_MACHINE, environment);
    ASSERT_GT(variables, 0u) << "the environment has variables to lose";

    Apply({"HKEY_CURRENT_USER\\Software\\SetupTestsClean\\Ours,App,Path,ours",
           "HKEY_CURRENT_USER\\Software\\SetupTestsClean\\Theirs,App,Path,into theirs",
           "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager,Environment,"
           "SETUPTESTS_VARIABLE,set"},
          Earlier({{"Registry", {"HKEY_CURRENT_USER\\Software\\SetupTestsClean\\Ours\\App"}}}));

    EXPECT_FALSE(user.KeyExists("Software\\SetupTestsClean\\Ours\\App\\Stale")) << "the earlier installation's key";
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsClean\\Theirs\\App", "TheirValue"), "keep");
    EXPECT_TRUE(user.KeyExists("Software\\SetupTestsClean\\Theirs\\App\\TheirSubkey"));
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, environment), variables + 1) << "every variable kept";
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, environment, "SETUPTESTS_VARIABLE"), "set");
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "Registry"), (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsClean\\Ours\\App"}));
    EXPECT_EQ(SectionKeys(record, "Registry Values"),
              (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsClean\\Theirs\\App|Path",
                    "HKEY_LOCAL_MACHINE\\" + environment + "|SETUPTESTS_VARIABLE"}));
    EXPECT_TRUE(SectionKeys(record, "Created Keys").empty());
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

TEST_F(RegistryStep, ValueInASharedKeyIsRecordedAloneAndTheKeyKeepsItsOtherValues)
{
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTestsStep"}}, {});
    SavedValue ours(HKEY_CURRENT_USER, kRun, "SetupTestsRun");
    SavedValue theirs(HKEY_CURRENT_USER, kRun, "SetupTestsOther");
    TRegistry run(HKEY_CURRENT_USER);
    ASSERT_TRUE(run.OpenKey(kRun, true));
    run.WriteString("SetupTestsOther", "another program");

    Apply({"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion,Run,SetupTestsRun,C:\\App\\tool.exe",
           "HKEY_CURRENT_USER\\Software,SetupTestsStep,TopValue,two levels",
           "HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent\\App,Deep,Name,made with its parents",
           "HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent,App,Name,into a key that was not there before"});

    EXPECT_EQ(run.ReadString("SetupTestsRun"), "C:\\App\\tool.exe");
    EXPECT_EQ(run.ReadString("SetupTestsOther"), "another program");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsStep", "TopValue"), "two levels");
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "Registry Values"),
              (Keys{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|SetupTestsRun",
                    "HKEY_CURRENT_USER\\Software\\SetupTestsStep|TopValue"}));
    EXPECT_EQ(SectionKeys(record, "Registry"), (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent\\App\\Deep",
                                                     "HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent\\App"}));
    EXPECT_EQ(SectionKeys(record, "Created Keys"),
              (Keys{"HKEY_CURRENT_USER\\Software\\SetupTestsStep", "HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent\\App",
                    "HKEY_CURRENT_USER\\Software\\SetupTestsStep\\Parent"}));
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

// Only an INI file the product made is its own: the earlier installation's is rewritten from scratch and
// recorded whole; one that was there before keeps its other sections and keys, and the run records the keys
// and the sections it adds.
TEST_F(RegistryStep, AnIniFileIsRewrittenAndRecordedWholeOnlyWhenItIsTheProducts)
{
    const std::string own = windows_ + "\\setuptest_own.ini";
    const std::string users = windows_ + "\\setuptest_users.ini";
    Leftovers leftovers({}, {own, users});
    ScratchDir::Write(own, "[Old]\r\nStale=1\r\n");
    ScratchDir::Write(users, "[Theirs]\r\nKeep=1\r\n[Options]\r\nColor=Red\r\n");
    Apply({"setuptest_own.ini,Options,Color,Blue", "SETUPTEST_OWN.INI,Options,Size,10",
           "setuptest_users.ini,Options,Size,10", "setuptest_users.ini,Added,Key,1"},
          Earlier({{"Files", {own}}}));

    EXPECT_EQ(ReadRawSections(own), (RawSections{{"Options", {"Color", "Size"}}}));
    EXPECT_EQ(ReadRawSections(users), (RawSections{{"Theirs", {"Keep"}}, {"Options", {"Color", "Size"}}, {"Added", {"Key"}}}));
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "Files"), (Keys{own})) << "the second key goes into the file the run rewrote";
    EXPECT_EQ(SectionKeys(record, "INI Keys"), (Keys{users + "|Options|Size", users + "|Added|Key"}));
    EXPECT_EQ(SectionKeys(record, "INI Sections"), (Keys{users + "|Added"}));
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
           "setuptest.ini.txt,Mine,New,3"},
          Earlier({{"Files", {winIni, elsewhere, notIni}}}));

    EXPECT_EQ(TIniFile(winIni).ReadString("SetupTests", "Key", ""), "Value");
    EXPECT_EQ(TIniFile(winIni).ReadString("SetupTestsOther", "Keep", ""), "1");
    EXPECT_EQ(TIniFile(elsewhere).ReadString("Mine", "Old", ""), "1");
    EXPECT_EQ(TIniFile(elsewhere).ReadString("Mine", "New", ""), "2");
    const RawSections record = Record();
    EXPECT_EQ(SectionKeys(record, "INI Keys"), (Keys{winIni + "|SetupTests|Key", windows_ + "\\WIN.INI.|SetupTests|Dotted",
                                                     elsewhere + "|Mine|New", notIni + "|Mine|New"}));
    EXPECT_EQ(SectionKeys(record, "INI Sections"), (Keys{winIni + "|SetupTests", windows_ + "\\WIN.INI.|SetupTests"}));
    EXPECT_TRUE(SectionKeys(record, "Files").empty()) << "shared, whatever an earlier record claims";
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

// The uninstall-mode start reads the directory back with ProgramDirectoryOf (app/run/RunMode.h).
TEST(UninstallKey, TheCommandQuotesTheProgram)
{
    EXPECT_EQ(UninstallCommand("C:\\Program Files\\My App\\", "My App: 2\\3"),
              "\"C:\\Program Files\\My App\\setup.exe\" -- My App: 2\\3");
}

TEST(UninstallKey, TitleThatWouldNameAnotherKeyWritesNothing)
{
    Leftovers leftovers({{HKEY_LOCAL_MACHINE, UninstallKeyPath("Setup Tests A")}}, {});
    ProgressRecorder progress;
    CommittedJournal journal;
    TEntryFacts facts;
    facts.Title = "Setup Tests";
    facts.InstallDir = "C:\\App\\";
    WriteUninstallKey(facts, progress, journal);
    facts.Key = "Setup Tests A\\B";
    WriteUninstallKey(facts, progress, journal);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, UninstallKeyPath(""), "DisplayName"), "");
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(UninstallKeyPath("Setup Tests A")));
    EXPECT_EQ(progress.Events, (Keys{"Label2: Creating Uninstaller", "Label2: Creating Uninstaller"}));
}

}  // namespace
