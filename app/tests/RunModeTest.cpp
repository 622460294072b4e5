// The choice of mode and the way from an uninstall entry to the installed copy's directory, with the real
// registry and real directories.
#include "UninstallEntry.h"
#include "app/run/CommandLine.h"
#include "app/run/RunMode.h"
#include "port/FileSystem.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

TEST(ProgramDirectoryOf, QuotedAndBareProgramPaths)
{
    EXPECT_EQ(ProgramDirectoryOf("\"C:\\Program Files\\My App\\setup.exe\" My App"), "C:\\Program Files\\My App\\");
    EXPECT_EQ(ProgramDirectoryOf("C:\\Apps\\Tool\\setup.exe Tool"), "C:\\Apps\\Tool\\");
    // The title after a bare path may hold "\" itself: the program path ends at ".exe".
    EXPECT_EQ(ProgramDirectoryOf("C:\\Apps\\Tool\\SETUP.EXE Tool\\Pro"), "C:\\Apps\\Tool\\");
    EXPECT_EQ(ProgramDirectoryOf("C:\\Apps\\Tool\\"), "C:\\Apps\\Tool\\");
    EXPECT_EQ(ProgramDirectoryOf("C:setup.exe X"), "C:");
}

TEST(ProgramDirectoryOf, TextsWithoutADirectory)
{
    EXPECT_EQ(ProgramDirectoryOf(""), "");
    EXPECT_EQ(ProgramDirectoryOf("setup.exe My App"), "");
    EXPECT_EQ(ProgramDirectoryOf("\"setup.exe\" C:\\x"), "") << "a quoted path ends at its quote";
    EXPECT_EQ(ProgramDirectoryOf("\""), "");
    EXPECT_EQ(ProgramDirectoryOf("\"C:\\Unclosed\\setup.exe"), "C:\\Unclosed\\");
}

// Switches lead, in any letter case; /D= comes last and keeps its blanks, quoted or not; /? and /HELP end the
// reading where they stand; what follows the switches is an uninstall's title, as stored "UninstallString"s hold it.
TEST(ParseCommandLine, SwitchesLeadAndTheDestinationTakesTheRest)
{
    struct Case {
        std::vector<std::string> Arguments;
        std::string Raw;
        bool Silent;
        std::string Log, Destination;
        std::vector<std::string> Rest;
        std::string Problem;
        bool Help = false;
        TInstallScope Scope = isUnset;
    };
    const std::vector<Case> cases{
        {{}, "setup.exe", false, "", "", {}, ""},
        {{"/s", "/log=C:\\setup.log"}, "setup.exe /s /log=C:\\setup.log", true, "C:\\setup.log", "", {}, ""},
        {{"/S", "/D=C:\\Program", "Files\\My", "App"},
         "\"C:\\x\\setup.exe\" /S /D=C:\\Program Files\\My  App ",
         true,
         "",
         "C:\\Program Files\\My  App",
         {},
         ""},
        {{"/d=C:\\A B"}, "setup.exe \"/d=C:\\A B\"", false, "", "C:\\A B", {}, ""},
        {{"/S", "My", "App"}, "\"C:\\My App\\setup.exe\" /S My App", true, "", "", {"My", "App"}, ""},
        {{"My", "/S"}, "setup.exe My /S", false, "", "", {"My", "/S"}, ""},
        {{"/X", "My"}, "setup.exe /X My", false, "", "", {}, "Unknown switch /X; /? lists the switches"},
        {{"/S", "/LOG="}, "setup.exe /S /LOG=", true, "", "", {}, "Unknown switch /LOG=; /? lists the switches"},
        {{"/?"}, "setup.exe /?", false, "", "", {}, "", true},
        {{"/S", "/help", "/X", "My"}, "setup.exe /S /help /X My", true, "", "", {}, "", true},
        {{"/HeLp"}, "setup.exe /HeLp", false, "", "", {}, "", true},
        {{"/X", "/?"}, "setup.exe /X /?", false, "", "", {}, "Unknown switch /X; /? lists the switches"},
        {{"/HELPS"}, "setup.exe /HELPS", false, "", "", {}, "Unknown switch /HELPS; /? lists the switches"},
        {{"/?x"}, "setup.exe /?x", false, "", "", {}, "Unknown switch /?x; /? lists the switches"},
        {{"My", "/?"}, "setup.exe My /?", false, "", "", {"My", "/?"}, ""},
        {{"--", "/?"}, "setup.exe -- /?", false, "", "", {"/?"}, ""},
        {{"/S", "/D=C:\\Program Files\\My App"},
         "setup.exe /S /D=\"C:\\Program Files\\My App\"",
         true,
         "",
         "C:\\Program Files\\My App",
         {},
         ""},
        {{"/D=relative"},
         "setup.exe /D=relative",
         false,
         "",
         "relative",
         {},
         "The destination must be a full path with its drive: relative"},
        {{"/D=\\Apps"},
         "setup.exe /D=\\Apps",
         false,
         "",
         "\\Apps",
         {},
         "The destination must be a full path with its drive: \\Apps"},
        {{"/D=C:Apps"},
         "setup.exe /D=C:Apps",
         false,
         "",
         "C:Apps",
         {},
         "The destination must be a full path with its drive: C:Apps"},
        {{"/S", "--", "/Slash", "Product"},
         "\"C:\\A\\setup.exe\" /S -- /Slash Product",
         true,
         "",
         "",
         {"/Slash", "Product"},
         ""},
        {{"--", "--"}, "setup.exe -- --", false, "", "", {"--"}, ""},
        {{"/allusers", "/S"}, "setup.exe /allusers /S", true, "", "", {}, "", false, isMachine},
        {{"/CurrentUser", "--", "My"}, "setup.exe /CurrentUser -- My", false, "", "", {"My"}, "", false, isUser},
        {{"/CURRENTUSERS"},
         "setup.exe /CURRENTUSERS",
         false,
         "",
         "",
         {},
         "Unknown switch /CURRENTUSERS; /? lists the switches"},
    };
    for (const Case& c : cases) {
        const TCommandLine line = ParseCommandLine(c.Arguments, c.Raw);
        EXPECT_EQ(line.Silent, c.Silent) << c.Raw;
        EXPECT_EQ(line.LogFile, c.Log) << c.Raw;
        EXPECT_EQ(line.Destination, c.Destination) << c.Raw;
        EXPECT_EQ(line.Arguments, c.Rest) << c.Raw;
        EXPECT_EQ(line.Problem, c.Problem) << c.Raw;
        EXPECT_EQ(line.Help, c.Help) << c.Raw;
        EXPECT_EQ(line.Scope, c.Scope) << c.Raw;
    }
}

TEST(JoinArguments, SingleSpaces)
{
    EXPECT_EQ(JoinArguments({}), "");
    EXPECT_EQ(JoinArguments({"My", "App"}), "My App");
    EXPECT_EQ(JoinArguments({"My App", "2000"}), "My App 2000");
}

TEST(ChooseUninstallMode, ArgumentsOrTheUninstallRecord)
{
    ScratchDir scratch;
    EXPECT_FALSE(ChooseUninstallMode({}, scratch.Path()));
    EXPECT_TRUE(ChooseUninstallMode({"Anything"}, scratch.Path()));
    ScratchDir::Write(scratch / "uninstaller.cfg", "[Name]\r\n");
    EXPECT_TRUE(ChooseUninstallMode({}, scratch.Path()));
    // The directory as the system reports it, without the trailing "\".
    std::string bare = scratch.Path();
    bare.pop_back();
    EXPECT_TRUE(ChooseUninstallMode({}, bare));
}

// An uninstall works only where the product's entry leads: by the title on the command line, or on the record
// in the current folder when an entry of its title names that folder, however the entry spells it.
TEST(UninstallTargetOf, OnlyTheFolderAnEntryNamesIsUninstalled)
{
    ScratchDir installed;
    ScratchDir elsewhere;
    ScratchDir::Write(installed / "uninstaller.cfg", "[Name]\r\nTitle=SetupTests Target\r\n");
    ScratchDir::Write(elsewhere / "uninstaller.cfg", "[Name]\r\nTitle=SetupTests Target\r\n");
    UninstallEntry entry("SetupTests Target");
    std::string spelled = installed.Path();  // another spelling of the same folder
    for (char& c : spelled) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    entry.Write("UninstallString", "\"" + spelled + ".\\setup.exe\" -- SetupTests Target");

    const TUninstallTarget named = UninstallTargetOf({"SetupTests", "Target"}, elsewhere.Path());
    EXPECT_EQ(named.Dir, spelled + ".\\");
    EXPECT_EQ(named.Title, "SetupTests Target");
    ASSERT_TRUE(named.Entry.has_value());
    EXPECT_EQ(named.Entry->KeyPath, std::string(kUninstallKeyPrefix) + "SetupTests Target");

    const TUninstallTarget here = UninstallTargetOf({}, installed.Path());
    EXPECT_EQ(here.Dir, installed.Path());
    EXPECT_TRUE(here.Entry.has_value());

    const TUninstallTarget planted = UninstallTargetOf({}, elsewhere.Path());
    EXPECT_EQ(planted.Dir, "") << "a record whose product's entry names another folder is not used";
    EXPECT_FALSE(planted.Entry.has_value());
    EXPECT_NE(planted.Problem.find(elsewhere.Path()), std::string::npos) << planted.Problem;

    const TUninstallTarget unknown = UninstallTargetOf({"SetupTests", "Never"}, installed.Path());
    EXPECT_EQ(unknown.Dir, "");
    EXPECT_NE(unknown.Problem.find("SetupTests Never"), std::string::npos) << unknown.Problem;

    DWORD number = 7;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKeyPrefix) + "SetupTests Target").c_str(), 0,
                            KEY_SET_VALUE, &key),
              0);
    RegSetValueExA(key, "UninstallString", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    EXPECT_EQ(UninstallTargetOf({"SetupTests", "Target"}, installed.Path()).Dir, "")
        << "a value that is no string names no folder";
    EXPECT_EQ(UninstallTargetOf({}, installed.Path()).Dir, "");
}

// A product with an id: the entry is the id's, the record names both, and the title is the record's.
TEST(UninstallTargetOf, AnIdNamesTheEntryAndTheRecordTheTitle)
{
    ScratchDir installed;
    ScratchDir::Write(installed / "uninstaller.cfg", "[Name]\r\nEntry=SetupTests.Id\r\nTitle=SetupTests Id 2.0\r\n");
    UninstallEntry entry("SetupTests.Id");
    entry.Write("UninstallString", "\"" + installed.Path() + "setup.exe\" -- SetupTests.Id");
    for (const TUninstallTarget& target :
         {UninstallTargetOf({"SetupTests.Id"}, "C:\\"), UninstallTargetOf({}, installed.Path())}) {
        EXPECT_EQ(target.Dir, installed.Path());
        EXPECT_EQ(target.Key, "SetupTests.Id");
        EXPECT_EQ(target.Title, "SetupTests Id 2.0");
    }
    EXPECT_EQ(UninstallTargetOf({"SetupTests", "Id", "2.0"}, "C:\\").Dir, "") << "the title names no entry";
}

TEST(EnterUninstallDirectory, ChangesToTheInstalledCopysDirectoryOrStaysPut)
{
    ScratchDir scratch;
    const std::string started = port::CurrentDir();
    UninstallEntry entry("SetupTests Enter");
    entry.Write("UninstallString", scratch.Path() + "setup.exe SetupTests Enter");

    EnterUninstallDirectory({"SetupTests", "Enter"});
    ScratchDir::Write(scratch / "marker", "x");
    EXPECT_TRUE(port::FileExists("marker")) << "the current directory is the installed copy's";

    SetCurrentDirectoryA(started.c_str());
    entry.Write("UninstallString", "\"C:\\No Such Directory\\setup.exe\" SetupTests Enter");
    EnterUninstallDirectory({"SetupTests", "Enter"});
    EXPECT_EQ(port::CurrentDir(), started) << "a directory that cannot be entered is ignored";

    EnterUninstallDirectory({});
    EXPECT_EQ(port::CurrentDir(), started);
}

}  // namespace
