// The sample product from a distribution of several disks made by the Windows mksetup, installed and removed by
// the real setup.exe driven through its windows, checked with the system's own calls; and the journeys that
// end early: a missing disk supplied or not, a corrupt disk, Cancel, Decline, a destination that cannot exist.
#include "SampleJourney.h"
#include "app/screen/ControlIds.h"
#include "config/TextFields.h"
#include "testsupport/SparseFiles.h"
#include "testsupport/win32/HeldFile.h"
#include "testsupport/win32/MachineSnapshot.h"
#include "tools/setupwalk/InstalledProduct.h"
#include "tools/setupwalk/ShellLinkReader.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

using namespace sample_journey;

// What a user sees on each page of the install journey, with the choices of the walk made.
void ExpectPage(int page, SetupDriver& setup, const std::string& destination)
{
    switch (page) {
        case ControlId::page1:
            EXPECT_EQ(setup.Caption(ControlId::Label14).rfind("It is strongly recommended that you exit", 0), 0U);
            EXPECT_FALSE(setup.Visible(ControlId::Back1)) << "the first page";
            EXPECT_EQ(setup.Caption(ControlId::Cancel1), "&Cancel");
            break;
        case ControlId::Page2:
            EXPECT_NE(setup.Caption(ControlId::AgreementMemo).find("Northwind"), std::string::npos);
            EXPECT_TRUE(setup.Visible(ControlId::decline));
            EXPECT_FALSE(setup.Visible(ControlId::Next1));
            break;
        case ControlId::Page3:
            EXPECT_EQ(setup.Caption(ControlId::Main_Dir), destination);
            break;
        case ControlId::Page4: {
            EXPECT_EQ(setup.Caption(ControlId::CreateFolder), "Northwind Notes");
            ASSERT_EQ(setup.ListRows(ControlId::ListView1), 6);
            std::vector<bool> ticks;
            for (int row = 0; row < 6; ++row) ticks.push_back(setup.ListRowChecked(ControlId::ListView1, row));
            EXPECT_EQ(ticks, (std::vector<bool>{true, false, false, true, false, false}));
            EXPECT_TRUE(setup.Checked(ControlId::CheckBox2));
            EXPECT_FALSE(setup.Checked(ControlId::CheckBox1));
            break;
        }
        case ControlId::ReadyToInstall: {
            const std::string summary = setup.Caption(ControlId::Memo3);
            EXPECT_NE(summary.find("Install To: " + destination), std::string::npos) << summary;
            EXPECT_NE(summary.find("Northwind\\Notes: Read Me"), std::string::npos) << summary;
            break;
        }
        case ControlId::Finished:
            EXPECT_EQ(setup.Caption(ControlId::RxLabel2), "Installation Completed:");
            EXPECT_EQ(setup.Caption(ControlId::RxLabel3), kTitle);
            EXPECT_EQ(setup.Caption(ControlId::LaunchIt), destination + "\\notes.exe");
            EXPECT_TRUE(setup.Checked(ControlId::ReturnToWIndows));
            break;
        default:
            break;
    }
}

void ExpectSameFile(const std::string& installed, const std::string& original)
{
    EXPECT_EQ(ScratchDir::Read(installed), ScratchDir::Read(original)) << installed;
    EXPECT_FALSE(ScratchDir::Read(original).empty()) << original;
}

void ExpectShortcut(const std::string& link, const std::string& target, const std::string& icon)
{
    const std::optional<ShellLinkContents> contents = ReadShellLink(link);
    ASSERT_TRUE(contents.has_value()) << link;
    EXPECT_EQ(contents->Target, target) << link;
    EXPECT_EQ(contents->IconFile, icon) << link;
}

void ExpectInstalled(const std::string& dir, const std::set<std::string>& tempDirsBefore)
{
    const std::string product = std::string(SAMPLE_PRODUCT) + "\\";
    ExpectSameFile(dir + "notes.exe", product + "programs\\notes.exe");
    ExpectSameFile(dir + "notes.ico", product + "art\\notes.ico");
    ExpectSameFile(dir + "docs\\readme.txt", product + "docs\\readme.txt");
    ExpectSameFile(dir + "docs\\manual.txt", product + "docs\\manual.txt");
    ExpectSameFile(dir + "data\\sample.nwn", product + "sample.nwn");
    ExpectSameFile(dir + "data\\templates\\letter.nwn", product + "data\\templates\\letter.nwn");
    EXPECT_TRUE(std::filesystem::is_directory(dir + "backup"));
    ExpectSameFile(WindowsDirectory() + "nwnotes.ini", product + "system\\nwnotes.ini");
    ExpectSameFile(SystemDirectory() + "nwhelper.txt", product + "system\\nwhelper.txt");
    ExpectSameFile(dir + "install.cfg", product + "install.cfg");
    EXPECT_EQ(IniText(dir + "uninstaller.cfg", "Name", "Title"), kTitle);
    const TUninstallRecordContents record = ReadUninstallRecord(dir);
    for (const std::string& file :
         {dir + "*.*", dir + "docs\\*.*", WindowsDirectory() + "nwnotes.ini", SystemDirectory() + "nwhelper.txt",
          WindowsDirectory() + "notes.ini", ShellFolder(CSIDL_STARTMENU) + "Read Me.lnk"})
        EXPECT_NE(std::find(record.Files.begin(), record.Files.end(), file), record.Files.end()) << file;
    EXPECT_EQ(std::find(record.Files.begin(), record.Files.end(),
                        ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Northwind Notes.lnk"),
              record.Files.end())
        << "the cleared row";
    EXPECT_EQ(record.RegistryKeys,
              (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Northwind\\Notes\\Options",
                                        "HKEY_LOCAL_MACHINE\\Software\\Northwind\\Notes\\Install"}));

    EXPECT_EQ(IniText(WindowsDirectory() + "notes.ini", "Settings", "Theme"), "Dark");
    EXPECT_EQ(IniText(WindowsDirectory() + "notes.ini", "Settings", "Autosave"), "5");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, "Software\\Northwind\\Notes\\Options", "Version"), "2.0");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, "Software\\Northwind\\Notes\\Install", "Edition"), "Standard");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              "\"" + dir + "setup.exe\" -- " + kTitle);

    const std::string notes = dir + "notes.exe";
    const std::string readMe = dir + "docs\\readme.txt";
    const std::string icon = dir + "notes.ico";
    for (const std::string& folder : {ShellFolder(CSIDL_PROGRAMS) + "Northwind\\Notes\\",
                                      ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Northwind\\Notes\\"}) {
        ExpectShortcut(folder + "Northwind Notes.lnk", notes, icon);
        ExpectShortcut(folder + "Read Me.lnk", readMe, icon);
    }
    ExpectShortcut(ShellFolder(CSIDL_STARTMENU) + "Northwind Notes.lnk", notes, icon);
    ExpectShortcut(ShellFolder(CSIDL_STARTMENU) + "Read Me.lnk", readMe, icon);
    EXPECT_FALSE(Exists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Northwind Notes.lnk")) << "the row the walk cleared";
    EXPECT_FALSE(Exists(ShellFolder(CSIDL_STARTMENU) + "Northwind")) << "no folder in the Start Menu";

    EXPECT_NE(ScratchDir::Read(WindowsDirectory() + "nwnotes-postinstall.log").find("post-install ran"),
              std::string::npos);
    EXPECT_EQ(SetupTempDirs(), tempDirsBefore) << "the temporary directory is removed at the end";
}

// The folders a single-file setup.exe stages its configuration in, below the user's temporary folder:
// "setup-" and its process id, so not the scratch folders of tests ("setup-test-...") that come and go meanwhile.
std::set<std::string> StagingDirs()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(temp, missing)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("setup-", 0) == 0 && name.size() > 6 && std::isdigit(static_cast<unsigned char>(name[6])))
            names.insert(name);
    }
    return names;
}

std::uintmax_t FolderBytes(const std::string& dir)
{
    std::uintmax_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) total += entry.file_size();
    return total;
}

// Files the running uninstaller could not remove (its own program) are left to the next restart.
bool GoneOrPendingRemoval(const std::string& path)
{
    return !Exists(path) || PendingRemovals().find(path + "\n") != std::string::npos;
}

void ExpectRemoved(const InstalledProduct& product)
{
    for (const std::string& key : product.Record.Files) {
        if (key.find('*') != std::string::npos) {
            std::error_code missing;
            for (const auto& entry : std::filesystem::directory_iterator(DirectoryPart(key), missing))
                EXPECT_TRUE(GoneOrPendingRemoval(entry.path().string())) << entry.path().string();
        } else {
            EXPECT_TRUE(GoneOrPendingRemoval(key)) << key;
        }
    }
    for (const std::string& folder : product.Record.Folders) EXPECT_TRUE(GoneOrPendingRemoval(folder)) << folder;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Northwind\\Notes\\Options"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Northwind\\Notes\\Install"));
    EXPECT_EQ(IniText(WindowsDirectory() + "notes.ini", "Settings", "Theme"), "(missing)");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(product.Directory + "docs"));
    EXPECT_TRUE(GoneOrPendingRemoval(product.Directory.substr(0, product.Directory.size() - 1)));
}

TEST_F(EndToEnd, TheSampleInstalledThroughTheWizardAndRemovedFromItsUninstallEntry)
{
    const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes Journey";
    const std::string dir = destination + "\\";
    SampleLeftovers leftovers(dir);

    std::vector<std::string> pages;
    WalkChoices choices{destination, true, false, {1}};
    {
        std::unique_ptr<SetupDriver> setup = StartSetup();
        WalkInstall(*setup, choices, [&](int page, SetupDriver& walked) {
            pages.push_back(walked.PageName(page));
            pictures_.Take(walked, page);
            ExpectPage(page, walked, destination);
        });
    }
    EXPECT_EQ(pages,
              (std::vector<std::string>{"page1", "Page2", "Page3", "Page4", "ReadyToInstall", "install", "Finished"}));
    ExpectInstalled(dir, tempDirsBefore_);
    for (const std::string& file : {dir + "notes.exe", dir + "docs\\readme.txt", dir + "data\\templates\\letter.nwn",
                                    SystemDirectory() + "nwhelper.txt"})
        EXPECT_EQ(LastWrite(file), kProductDate) << file << " keeps the date its maker gave it";

    const std::optional<InstalledProduct> product = FindInstalledProduct(kTitle);
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->Directory, dir);
    std::vector<std::string> questions;
    {
        SetupDriver uninstaller(product->UninstallString, WindowsDirectory());
        questions = WalkUninstall(uninstaller, [&](int page, SetupDriver& walked) {
            pictures_.Take(walked, page);
            EXPECT_EQ(walked.Caption(ControlId::TextInfo1), kTitle);
            EXPECT_EQ(walked.Caption(ControlId::Remove), "&Uninstall");
        });
    }
    // One question for each file in Windows' own directories.
    ASSERT_EQ(questions.size(), 3U);
    for (const char* file : {"nwnotes.ini", "nwhelper.txt", "notes.ini"}) {
        const auto asked = std::find_if(questions.begin(), questions.end(), [&](const std::string& question) {
            return question.find(std::string("\\") + file) != std::string::npos;
        });
        ASSERT_NE(asked, questions.end()) << file;
        EXPECT_EQ(asked->rfind("File Possible used by Windows.", 0), 0U) << *asked;
    }
    ExpectRemoved(*product);
}

// The sample as one setup.exe, started from a folder that holds nothing else, installs exactly as its distribution
// folder does (files, shortcuts, keys and values, INI keys, the record, the entry and the uninstaller, which
// carries no payload) and is removed from its entry. A payload cut short or with one flipped byte ends with the
// expansion error and installs nothing.
TEST_F(EndToEnd, TheSampleAsOneSetupExeInstallsAsItsFolderDoes)
{
    // Two destinations: the uninstaller of the first stays there until the next restart, and a directory that
    // exists before a run is not the run's own.
    const std::string fromFolderDir = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes Folder\\";
    const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes Single";
    const std::string dir = destination + "\\";
    SampleLeftovers folderLeftovers(fromFolderDir);
    SampleLeftovers leftovers(dir);
    const std::set<std::string> stagingBefore = StagingDirs();
    const std::string single = MakeDistribution(scratch_ / "product", "single", " --single-file");
    ASSERT_EQ(FolderBytes(single), std::filesystem::file_size(single + "setup.exe")) << "setup.exe and nothing else";
    const auto expected = static_cast<double>(FolderBytes(dist_));
    EXPECT_NEAR(static_cast<double>(FolderBytes(single)), expected, expected / 100)
        << "the folder's bytes: the uninstaller it carries is its own image";

    struct Installed {
        std::string description, record, uninstaller, entry;
    };
    // What the installation left, described as if it had gone into dir.
    const auto installAndRemove = [&](const std::string& from, const std::string& into) {
        {
            std::unique_ptr<SetupDriver> setup = StartSetup(from);
            WalkInstall(*setup, {into.substr(0, into.size() - 1), true, false, {1}},
                        [&](int page, SetupDriver& walked) { pictures_.Take(walked, page); });
        }
        ExpectInstalled(into, tempDirsBefore_);
        const std::optional<InstalledProduct> product = FindInstalledProduct(kTitle);
        if (!product) throw Exception("no uninstall entry after installing from " + from);
        const auto asIfInDir = [&](std::string text) {
            for (std::size_t at = 0; (at = text.find(into, at)) != std::string::npos; at += dir.size())
                text.replace(at, into.size(), dir);
            return text;
        };
        const Installed installed{asIfInDir(DescribeInstalledProduct(*product)),
                                  asIfInDir(ScratchDir::Read(into + "uninstaller.cfg")),
                                  ScratchDir::Read(into + "setup.exe"), asIfInDir(product->UninstallString)};
        {
            SetupDriver uninstaller(product->UninstallString, WindowsDirectory());
            WalkUninstall(uninstaller, [&](int page, SetupDriver& walked) { pictures_.Take(walked, page); });
        }
        ExpectRemoved(*product);
        return installed;
    };
    const Installed fromFolder = installAndRemove(dist_, fromFolderDir);
    const Installed fromSingle = installAndRemove(single, dir);
    EXPECT_EQ(fromSingle.description, fromFolder.description);
    EXPECT_EQ(fromSingle.record, fromFolder.record);
    EXPECT_EQ(fromSingle.entry, fromFolder.entry);
    EXPECT_TRUE(fromSingle.uninstaller == ScratchDir::Read(SETUP_EXE)) << "the installed setup.exe is the bare one";
    EXPECT_EQ(StagingDirs(), stagingBefore) << "the staged configuration is removed at the end";

    const std::string whole = ScratchDir::Read(single + "setup.exe");
    const std::string damaged = scratch_ / "damaged\\";
    std::filesystem::create_directories(damaged);
    std::string flipped = whole;
    flipped[whole.size() - 5000] ^= 0x10;
    for (const std::string& bytes : {flipped, whole.substr(0, whole.size() - 5000)}) {
        ScratchDir::Write(damaged + "setup.exe", bytes);
        std::unique_ptr<SetupDriver> setup = StartSetup(damaged);
        EXPECT_EQ(Answer(*setup, "OK"), "Error Expanding Files!!");
        EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
        EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
        EXPECT_FALSE(Exists(dir + "notes.exe"));
        EXPECT_FALSE(Exists(WindowsDirectory() + "nwnotes.ini"));
    }
}

// The same journey from distributions coded with lzma, file by file and solid: the support files and the
// product both expand.
TEST_F(EndToEnd, TheSampleBuiltWithLzmaInstallsAsWithTheDefaultMethod)
{
    for (const std::string method : {"lzma", "lzma-solid"}) {
        SCOPED_TRACE(method);
        const std::string dist = MakeDistribution(scratch_ / "product", "dist-" + method, " --method " + method);
        const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes " + method;
        SampleLeftovers leftovers(destination + "\\");
        {
            std::unique_ptr<SetupDriver> setup = StartSetup(dist);
            WalkInstall(*setup, {destination, true, false, {1}}, [](int, SetupDriver&) {});
        }
        ExpectInstalled(destination + "\\", tempDirsBefore_);
    }
}

TEST_F(EndToEnd, DiskTwoMissingIsAskedForAndTakenOnTheRetry)
{
    MoveDiskTwoAway();
    std::unique_ptr<SetupDriver> setup = StartSetup();
    EXPECT_EQ(Answer(*setup, "OK"), "Please Insert Disk #2 into Floppy Drive.");
    EXPECT_EQ(Answer(*setup, "OK"), "Please Insert Disk #2 into Floppy Drive.");
    const ProcessDialog locate = NextDialog(*setup);
    EXPECT_EQ(locate.Message.rfind("Unable to locate \"disk.002\" on this segment!", 0), 0U) << locate.Message;
    BringDiskTwoBack();
    Dismiss(locate, "OK");

    setup->WaitForScreen("Tarvelo 2000");
    setup->WaitForPage(ControlId::page1);
    EXPECT_EQ(setup->Caption(ControlId::TextInfo1), "Northwind Notes 2.0");
    setup->Click(ControlId::Cancel1);
    EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
}

// Cancel at the disk request, and a disk whose bytes were damaged: the one message, and the program ends.
TEST_F(EndToEnd, AMissingOrCorruptDiskEndsWithTheExpansionError)
{
    MoveDiskTwoAway();
    {
        std::unique_ptr<SetupDriver> setup = StartSetup();
        EXPECT_EQ(Answer(*setup, "OK"), "Please Insert Disk #2 into Floppy Drive.");
        EXPECT_EQ(Answer(*setup, "OK"), "Please Insert Disk #2 into Floppy Drive.");
        EXPECT_EQ(Answer(*setup, "Cancel").rfind("Unable to locate \"disk.002\"", 0), 0U);
        EXPECT_EQ(Answer(*setup, "OK"), "Error Expanding Files!!");
        EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    }
    BringDiskTwoBack();
    std::string disk = ScratchDir::Read(dist_ + "disk.002");
    for (std::size_t at = disk.size() / 3; at < disk.size() / 3 + 4000 && at < disk.size(); ++at) disk[at] ^= 0x5A;
    ScratchDir::Write(dist_ + "disk.002", disk);
    {
        std::unique_ptr<SetupDriver> setup = StartSetup();
        EXPECT_EQ(Answer(*setup, "OK"), "Error Expanding Files!!");
        EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    }
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
    EXPECT_EQ(SetupTempDirs(), tempDirsBefore_) << "nothing expanded stays";
}

TEST_F(EndToEnd, CancelOnTheWelcomeOrDeclineOnTheAgreementInstallsNothing)
{
    const std::string proposed = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    SampleLeftovers leftovers(proposed);
    {
        std::unique_ptr<SetupDriver> setup = StartSetup();
        setup->WaitForScreen("Tarvelo 2000");
        setup->WaitForPage(ControlId::page1);
        setup->Click(ControlId::Cancel1);
        EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    }
    {
        std::unique_ptr<SetupDriver> setup = StartSetup();
        setup->WaitForScreen("Tarvelo 2000");
        setup->WaitForPage(ControlId::page1);
        setup->Click(ControlId::Next1);
        setup->WaitForPage(ControlId::Page2);
        setup->Click(ControlId::decline);
        EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    }
    EXPECT_FALSE(Exists(proposed));
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Northwind"));
}

// A file stands where the destination's directory would be: the run stops with the message naming the record it
// could not write, and the program ends instead of staying on the install page, which has no button.
TEST_F(EndToEnd, ADestinationThatCannotBeCreatedStopsTheInstallAndEndsTheProgram)
{
    const std::string blocked = WindowsDirectory() + "win.ini\\Northwind Notes";
    SampleLeftovers leftovers(blocked);
    std::unique_ptr<SetupDriver> setup = StartSetup();
    std::string stopped;
    try {
        WalkInstall(*setup, {blocked, false, false, {}},
                    [&](int page, SetupDriver& walked) { pictures_.Take(walked, page); });
    } catch (const Exception& error) {
        stopped = error.what();
    }
    EXPECT_NE(stopped.find("it shows \"Tarvelo 2000\": Unable to write to"), std::string::npos) << stopped;
    EXPECT_EQ(Answer(*setup, "OK"), "Unable to write to " + blocked +
                                        "\\uninstaller.cfg\r\n\r\nThe installation was not completed, and what it "
                                        "had changed has been undone. The computer is as it was before.");
    EXPECT_EQ(setup->WaitForExit(SetupDriver::kPatienceMs), 0U);
    EXPECT_FALSE(FindInstalledProduct(kTitle).has_value());
}

// The user's files where the sample goes: a read-only one, one held open by another program, one the product
// replaces and an unrelated one. The closing message names the first two and the Finished page offers the
// restart; removed from its entry, the machine is as it was but for the replaced file and the uninstaller, which
// goes at the next restart. (The user's keys, INI file and environment, and a second installation over the
// first: OwnershipJourney.InstallingTwiceAndUninstallingLeavesTheMachineAsItWas, on the same engines.)
TEST_F(EndToEnd, InstalledOverTheUsersFilesAndRemovedTheMachineIsAsItWas)
{
    const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes Ownership";
    const std::string dir = destination + "\\";
    SampleLeftovers leftovers(dir);
    std::filesystem::create_directories(dir);
    for (const char* name : {"notes.ico", "notes.exe", "logo.gif", "my-notes.txt"})
        ScratchDir::Write(dir + name, std::string("the user's ") + name);
    SetFileAttributesA((dir + "notes.ico").c_str(), FILE_ATTRIBUTE_READONLY);
    const MachineSnapshot before = MachineSnapshot::Take(dir);

    {
        HeldFile held(dir + "notes.exe");
        std::unique_ptr<SetupDriver> setup = StartSetup();
        const std::vector<std::string> messages =
            WalkInstall(*setup, {destination, true, false, {1}, true}, [&](int page, SetupDriver& walked) {
                pictures_.Take(walked, page);
                if (page == ControlId::Finished) {
                    EXPECT_TRUE(walked.Visible(ControlId::reboot)) << "a file waits for the restart";
                }
            });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(dir + "notes.ico (the file there is read-only)"), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find("replaced when Windows restarts:\r\n" + dir + "notes.exe"), std::string::npos)
            << messages[0];
    }
    const std::optional<InstalledProduct> installed = FindInstalledProduct(kTitle);
    ASSERT_TRUE(installed.has_value());
    {
        SetupDriver uninstaller(installed->UninstallString, WindowsDirectory());
        WalkUninstall(uninstaller, [&](int page, SetupDriver& walked) { pictures_.Take(walked, page); });
    }

    std::vector<std::string> unexpected;
    for (const std::string& difference : before.DifferencesTo(MachineSnapshot::Take(dir))) {
        if (difference == "- file " + UpperCase(dir) + "LOGO.GIF") continue;  // replaced by the product's
        if (difference == "+ file " + UpperCase(dir) + "SETUP.EXE" &&
            PendingRemovals().find(dir + "setup.exe\n") != std::string::npos)
            continue;  // the uninstaller, removed at the next restart
        unexpected.push_back(difference);
    }
    EXPECT_EQ(unexpected, std::vector<std::string>());
    SetFileAttributesA((dir + "notes.ico").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ScratchDir::Read(dir + "notes.exe"), "the user's notes.exe");
}

// A payload past what one archive can describe (two sparse files of 1.2 GB, run-length coded) goes into
// several archives of one set; setup.exe expands them all and installs both files whole. It moves
// gigabytes, so the default run leaves it out and CTest runs it apart as setupwalk_large_tests
// (label large).
TEST_F(EndToEnd, DISABLED_APayloadPastOneArchiveInstallsWhole)
{
    constexpr std::uintmax_t kBigSize = 1200000000;
    const std::string product = scratch_ / "product\\";
    WriteSparseFile(product + "big-1.bin", kBigSize, "end of one");
    WriteSparseFile(product + "big-2.bin", kBigSize, "end of two");
    ScratchDir::Write(product + "finstall.cfg", ScratchDir::Read(product + "finstall.cfg") +
                                                    "Installation Directory,big-1.bin\r\nInstallation Directory,big-2.bin\r\n");
    const std::string large = scratch_ / "large\\";
    const std::string arguments = "build \"" + scratch_ / "product" + "\" -o \"" + scratch_ / "large" + "\" --setup \"" +
                                  SETUP_EXE + "\" --method rle";
    DrivenProcess mksetup(CommandLineOf(MKSETUP_EXE, arguments), scratch_.Path());
    ASSERT_EQ(mksetup.WaitForExit(10 * SetupDriver::kPatienceMs), 0U);

    const std::string destination = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes Large";
    SampleLeftovers leftovers(destination + "\\");
    {
        SetupDriver setup(CommandLineOf(large + "setup.exe", ""), large, 10 * SetupDriver::kPatienceMs);
        WalkInstall(setup, {destination, false, false, {}}, [](int, SetupDriver&) {});
    }
    for (const auto& [name, marker] : {std::pair{"big-1.bin", "end of one"}, std::pair{"big-2.bin", "end of two"}}) {
        const std::string installed = destination + "\\" + name;
        EXPECT_EQ(std::filesystem::file_size(installed), kBigSize) << name;
        EXPECT_EQ(TailOf(installed, 10), marker) << name;
    }
    ExpectSameFile(destination + "\\notes.exe", std::string(SAMPLE_PRODUCT) + "\\programs\\notes.exe");
}

}  // namespace
