// What no installation may own, however a record spells it, and an uninstall of a record that lists such
// things: they are kept and named, the rest goes.
#include "app/record/ProtectedPlaces.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cctype>

#include "app/record/KeyPath.h"
#include "app/tests/ScriptedUninstallView.h"
#include "app/tests/UninstallRecordWriter.h"
#include "app/uninstall/UninstallEngine.h"
#include "port/FileSystem.h"
#include "settings/Registry.h"
#include "shell/ShellFolders.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "C:\x" as this machine's administrative share, \\localhost\C$\x.
std::string AsAdministrativeShare(const std::string& path)
{
    return "\\\\localhost\\" + path.substr(0, 1) + "$" + path.substr(2);
}

TEST(ProtectedPlaces, WholeFoldersOfUsersAndWindowsAreRefusedHoweverSpelled)
{
    const TProtectedPlaces places = TProtectedPlaces::OfThisMachine();
    const std::string documents = ShellFolder(CSIDL_PERSONAL);
    const std::string profile = ShellFolder(CSIDL_PROFILE);
    const std::string profiles = profile.substr(0, profile.find_last_of('\\'));
    const std::string programFiles = ShellFolder(CSIDL_PROGRAM_FILES);
    const std::string windows = WindowsDir();
    ScratchDir scratch;
    const std::string longName = scratch / "A Long Folder Name\\";
    port::MakeDir(longName);
    char shortName[MAX_PATH] = {};
    GetShortPathNameA(longName.c_str(), shortName, MAX_PATH);
    ASSERT_NE(std::string(shortName), longName) << "the short name of a folder with a long name";

    const TProtectedPlaces withScratch({longName}, {});
    for (const std::string& refused :
         {documents + "\\*.*", Lower(documents) + "\\*.*", "\\\\?\\" + documents + "\\*.*",
          AsAdministrativeShare(documents) + "\\*.*",
          documents + "\\..\\" + documents.substr(documents.rfind('\\') + 1) + "\\*", documents + "\\.\\<",
          documents + "\\>>>.>>>", profile + "\\*.*", profiles + "\\*.*", programFiles + "\\*.*", windows + "\\*.*",
          windows + "\\System32\\*.dll", windows + "\\MyApp\\*.*", windows + "\\Sysnative\\drivers\\*.sys",
          windows.substr(0, 3) + "*.*", documents + "\\Sub<\\*.*"})
        EXPECT_NE(places.RefusalOfFileKey(refused), "") << refused;
    EXPECT_NE(withScratch.RefusalOfFileKey(std::string(shortName) + "*.*"), "") << shortName;

    for (const std::string& allowed :
         {documents + "\\report.doc", windows + "\\notes.ini", windows + "\\System32\\nwhelper.dll",
          programFiles + "\\Northwind Notes\\*.*", documents + "\\Northwind\\*.*", scratch / "App\\*.*"})
        EXPECT_EQ(places.RefusalOfFileKey(allowed), "") << allowed << ": a file by name, or a folder of its own";

    for (const std::string& refused : {documents, profile + "\\AppData", Lower(profiles), programFiles, windows,
                                       windows + "\\MyApp", std::string("C:\\")})
        EXPECT_NE(places.RefusalOfFolder(refused), "") << refused;
    EXPECT_EQ(places.RefusalOfFolder(programFiles + "\\Northwind Notes"), "");

    for (const auto& [key, shared] : std::initializer_list<std::pair<const char*, bool>>{
             {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services", true},
             {"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Northwind", true},
             {"HKEY_LOCAL_MACHINE\\SAM\\SAM\\Domains", true},
             {"HKEY_LOCAL_MACHINE\\SECURITY\\Policy\\Secrets", true},
             {"HKEY_CURRENT_USER\\Software\\Policies\\Northwind\\Notes", true},
             {"HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Policies\\Northwind", true},
             {"HKEY_LOCAL_MACHINE\\Software\\Northwind\\Notes", false},
             {"HKEY_CURRENT_USER\\System\\Northwind\\Notes", false}})
        EXPECT_EQ(IsSharedKey(ParseKeyPath(key)), shared) << key;
}

// A record that an administrator's tool or an earlier version wrote wrongly: its sound keys go, the others stay,
// each named in the log and in one warning at the end.
TEST(ProtectedPlaces, AnUninstallKeepsAndNamesWhatNoInstallationMayOwn)
{
    ScratchDir scratch;
    const std::string documents = ShellFolder(CSIDL_PERSONAL);
    const std::string mine = documents + "\\SetupTests-mine.txt";
    ScratchDir::Write(mine, "the user's");
    port::MakeDir(scratch / "App");
    ScratchDir::Write(scratch / "App\\tool.exe", "tool");
    const std::string service = "System\\CurrentControlSet\\Services\\SetupTestsService";
    ASSERT_TRUE(TRegistry(HKEY_LOCAL_MACHINE).CreateKey(service));

    WriteUninstallRecord(scratch / "App\\",
                         {{"Files", {documents + "\\*.*", scratch / "App\\*.*"}},
                          {"Folder", {documents}},
                          {"Registry", {"HKEY_LOCAL_MACHINE\\" + service}}},
                         "");
    ScriptedUninstallView view;
    RunUninstall({scratch / "App\\", "", std::nullopt, false}, view);

    EXPECT_EQ(ScratchDir::Read(mine), "the user's");
    EXPECT_TRUE(port::IsDirectory(documents));
    EXPECT_TRUE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(service));
    EXPECT_FALSE(port::IsDirectory(scratch / "App")) << "the record's sound key";
    const std::vector<std::string> warnings = view.Lines("warn ");
    ASSERT_EQ(warnings.size(), 1U);
    for (const std::string& kept : {documents + "\\*.*", documents, "HKEY_LOCAL_MACHINE\\" + service})
        EXPECT_NE(warnings[0].find("\r" + kept), std::string::npos) << kept << " in " << warnings[0];
    EXPECT_EQ(std::count_if(view.logged.begin(), view.logged.end(),
                            [](const std::string& line) { return line.starts_with("Refused "); }),
              3);
    DeleteFileA(mine.c_str());
    TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(service);
}

}  // namespace
