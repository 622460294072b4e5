#include "shell/Shortcut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "InstallTestSupport.h"
#include "UninstallEntry.h"
#include "UninstallRecordWriter.h"
#include "app/install/ShortcutStep.h"
#include "app/install/UninstallKey.h"
#include "port/FileSystem.h"

namespace {

using Keys = std::vector<std::string>;

// Every .lnk below the scratch directory, as paths relative to it.
Keys LinksBelow(const std::string& dir)
{
    Keys links;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.path().extension() == ".lnk")
            links.push_back(ScratchDir::Windows(std::filesystem::relative(entry.path(), dir).string()));
    std::sort(links.begin(), links.end());
    return links;
}

class Shortcuts : public ::testing::Test {
protected:
    Shortcuts() : folders_(scratch_.Path())
    {
        shortcuts_.RunProgram = scratch_ / "App\\tool.exe";
        shortcuts_.ProgramName = "Tool";
    }

    ScratchDir scratch_;
    ScratchShellFolders folders_;
    TShortcuts shortcuts_;
};

TEST_F(Shortcuts, EveryOptionSavesTheSameLinkAgainAndAMissingFolderIsSkipped)
{
    shortcuts_.Folder = "Acme";
    shortcuts_.IconFile = scratch_ / "App\\tool.ico";
    shortcuts_.Desktop = shortcuts_.StartMenu = shortcuts_.FolderDesktop = shortcuts_.FolderStartMenu = true;
    shortcuts_.QuickLaunch = true;  // its folder below the Windows directory does not exist here
    ASSERT_FALSE(port::IsDirectory(TShortcuts::QuickLaunchDir()));
    shortcuts_.CreateShortcuts();
    shortcuts_.CreateShortcuts();

    const Keys expected{"Desktop\\Acme\\Tool.lnk", "Desktop\\Tool.lnk", "Start Menu\\Acme\\Tool.lnk",
                        "Start Menu\\Programs\\Acme\\Tool.lnk", "Start Menu\\Tool.lnk"};
    EXPECT_EQ(LinksBelow(scratch_.Path()), expected);
    for (const std::string& relative : expected) {
        const LinkContents link = ReadShellLink(scratch_ / relative);
        EXPECT_EQ(link.Target, scratch_ / "App\\tool.exe") << relative;
        EXPECT_EQ(link.IconFile, scratch_ / "App\\tool.ico") << relative;
    }
}

TEST_F(Shortcuts, ScanListsTheProgramsFolderWithoutShortcutsOrDotNames)
{
    port::MakeDir(folders_.Programs + "Acme");
    port::MakeDir(folders_.Programs + ".hidden");
    ScratchDir::Write(folders_.Programs + "Old.LNK", "");
    ScratchDir::Write(folders_.Programs + "notes.txt", "");
    shortcuts_.ScanProgramFolders();
    std::sort(shortcuts_.FolderList.begin(), shortcuts_.FolderList.end());
    EXPECT_EQ(shortcuts_.FolderList, (Keys{"Acme", "notes.txt"}));
}

TEST(FolderChain, DeepestFirstWithoutEmptyNames)
{
    EXPECT_EQ(FolderChain("A\\B\\C"), (Keys{"A\\B\\C", "A\\B", "A"}));
    EXPECT_EQ(FolderChain("Acme"), (Keys{"Acme"}));
    EXPECT_EQ(FolderChain("\\A\\\\B\\"), (Keys{"A\\B", "A"}));
    EXPECT_EQ(FolderChain(""), Keys());
}

// The shortcut step as the install run calls it, with a record in the scratch directory.
class ShortcutStep : public Shortcuts {
protected:
    ShortcutStep() : record_(scratch_ / "App\\"), steps_(progress_)
    {
        port::MakeDir(scratch_ / "App");
        record_.Open();
    }

    void Run(const TStringList& entries, const TInstallChoices& choices, const TEarlierInstallation& earlier = {})
    {
        CreateProgramFolders(entries, choices, scratch_ / "App\\", shortcuts_, record_, earlier, progress_, steps_,
                             journal_);
    }

    ProgressRecorder progress_;
    TUninstallRecord record_;
    TProgressSteps steps_;
    CommittedJournal journal_;
};

TEST_F(ShortcutStep, UntickedRowsStillMakeTheProgramGroupAndRecordStartMenuFolders)
{
    Run({"Tool,<InstallDir>\\bin\\tool.exe,X,X,X,,A\\B,"}, TInstallChoices{});

    EXPECT_EQ(LinksBelow(scratch_.Path()), (Keys{"Start Menu\\Programs\\A\\B\\Tool.lnk"}));
    const RawSections record = ReadRawSections(record_.Path());
    EXPECT_EQ(SectionKeys(record, "Folder"), (Keys{folders_.StartMenu + "A\\B", folders_.StartMenu + "A",
                                                   folders_.Programs + "A\\B", folders_.Programs + "A"}));
    EXPECT_EQ(SectionKeys(record, "Files"), (Keys{folders_.Programs + "A\\B\\Tool.lnk"}));
    const LinkContents link = ReadShellLink(folders_.Programs + "A\\B\\Tool.lnk");
    EXPECT_EQ(link.Target, scratch_ / "App\\bin\\tool.exe");
    EXPECT_EQ(link.IconFile, "");
}

// A shortcut that cannot be saved (here the Desktop is a file) is not recorded, and the step names it for the
// message of files not installed; the others are made and recorded.
TEST_F(ShortcutStep, AShortcutThatCannotBeSavedIsNamedAndNotRecorded)
{
    std::filesystem::remove_all(ScratchDir::Native(folders_.Desktop));
    ScratchDir::Write(folders_.Desktop.substr(0, folders_.Desktop.size() - 1), "a file where the Desktop was");
    TInstallChoices choices;
    choices.ShortcutRows = {false, true, false};

    const std::vector<std::string> unsaved =
        CreateProgramFolders({"Tool,<InstallDir>\\tool.exe,,,,,,"}, choices, scratch_ / "App\\", shortcuts_, record_,
                             {}, progress_, steps_, journal_);

    EXPECT_EQ(unsaved, (Keys{folders_.Desktop + "Tool.lnk"}));
    EXPECT_EQ(SectionKeys(ReadRawSections(record_.Path()), "Files"), (Keys{folders_.Programs + "Tool.lnk"}));
}

TEST_F(ShortcutStep, RowsAreReadThreeByThreeAndEachEntryStandsAlone)
{
    TInstallChoices choices;
    choices.ShortcutRows = {false, true, false, true, false};  // the second entry's last row is missing
    choices.FolderStartMenu = true;
    Run({"One,<InstallDir>\\one.exe,,,,,Acme,C:\\source\\one.ico", "Two,<InstallDir>\\two.exe,,,,,,"}, choices);

    EXPECT_EQ(LinksBelow(scratch_.Path()),
              (Keys{"Desktop\\One.lnk", "Start Menu\\Acme\\One.lnk", "Start Menu\\Programs\\Acme\\One.lnk",
                    "Start Menu\\Programs\\Two.lnk", "Start Menu\\Two.lnk"}));
    EXPECT_EQ(ReadShellLink(folders_.Desktop + "One.lnk").IconFile, scratch_ / "App\\one.ico");
    EXPECT_EQ(ReadShellLink(folders_.StartMenu + "Two.lnk").IconFile, "") << "nothing carried over";
    const RawSections record = ReadRawSections(record_.Path());
    EXPECT_EQ(SectionKeys(record, "Folder"), (Keys{folders_.StartMenu + "Acme", folders_.Programs + "Acme"}))
        << "no folder named, none recorded";
    EXPECT_EQ(SectionKeys(record, "Files"), (Keys{folders_.Desktop + "One.lnk", folders_.StartMenu + "Acme\\One.lnk",
                                                  folders_.Programs + "Acme\\One.lnk", folders_.StartMenu + "Two.lnk",
                                                  folders_.Programs + "Two.lnk"}));
    EXPECT_EQ(progress_.Events, (Keys{"Label2: Creating Folders", "Label1: Folders: One", "Label1: Folders: Two"}));
    EXPECT_EQ(progress_.Position, 2);
}

// A program folder that was there before may hold another program's shortcuts: it is recorded only when the
// earlier installation of the product recorded it.
TEST_F(ShortcutStep, FoldersThatWereThereBeforeAreRecordedOnlyAsTheProductsOwn)
{
    port::MakeDir(folders_.Programs + "Acme");
    ScratchDir::Write(folders_.Programs + "Acme\\Other.lnk", "another program's");
    port::MakeDir(folders_.StartMenu + "Acme");
    const std::string earlierDir = scratch_ / "Earlier\\";
    port::MakeDir(earlierDir);
    WriteUninstallRecord(earlierDir, {{"Folder", {folders_.StartMenu + "acme"}}}, "Setup Tests Shortcuts");
    const UninstallEntry entry("Setup Tests Shortcuts");
    entry.Write("UninstallString", UninstallCommand(earlierDir, "Setup Tests Shortcuts"));
    Run({"Tool,<InstallDir>\\tool.exe,,,,,Acme\\Tools,"}, TInstallChoices{},
        TEarlierInstallation(earlierDir, "Setup Tests Shortcuts"));

    EXPECT_EQ(SectionKeys(ReadRawSections(record_.Path()), "Folder"),
              (Keys{folders_.StartMenu + "Acme\\Tools", folders_.StartMenu + "Acme", folders_.Programs + "Acme\\Tools"}));
}

}  // namespace
