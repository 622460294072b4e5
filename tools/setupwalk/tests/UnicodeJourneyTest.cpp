// A product named in Polish and Japanese, downloaded and installed by a user whose name the system's code page
// cannot hold ("Łukasz" on code page 1252): as one setup.exe and as a folder distribution, from the user's
// Downloads folder, silently into a folder named so and through the wizard, and into a destination longer than
// the ANSI calls take. Every name arrives as written, and uninstalling leaves the machine as it was.
#include "SampleJourney.h"
#include "app/screen/ControlIds.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "testsupport/UnixLink.h"
#include "testsupport/win32/MachineSnapshot.h"
#include "tools/setupwalk/ShellLinkReader.h"

#include <knownfolders.h>

namespace {

using namespace sample_journey;

constexpr const char* kUnicodeTitle = "Zażółć Notes 日本語";
constexpr const char* kTextFile = "zażółć.txt";
constexpr const char* kSubfolderFile = "日本語\\ファイル.txt";
constexpr const char* kShortcut = "Notizbücher.lnk";
constexpr const char* kShortcutFolder = "Zażółć 日本語";
constexpr const char* kIniFile = "zażółć.ini";
constexpr const char* kRegistryKey = "Software\\Zażółć 日本語\\Opcje";

std::filesystem::path Wide(const std::string& path)
{
    return port::Widened(path);
}

std::string KnownFolder(const KNOWNFOLDERID& id)
{
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = port::Narrowed(path) + "\\";
    CoTaskMemFree(path);
    return folder;
}

std::string UnicodeShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return port::Narrowed(path) + "\\";
}

std::string WideRegistryText(HKEY root, const std::string& key, const std::string& name)
{
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, port::Widened(key).c_str(), port::Widened(name).c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "(missing)";
    return port::Narrowed(value);
}

// The names directly in dir as the Linux side stores them, byte for byte.
std::set<std::string> UnixNamesIn(const std::string& dir, const std::string& listing)
{
    unixlink::RunScript("ls -1A " + unixlink::Quoted(unixlink::UnixPathOf(dir)) + " > " +
                        unixlink::Quoted(unixlink::UnixPathOf(listing)) + "\n");
    const std::vector<std::string> lines = SplitLines(ScratchDir::Read(listing));
    return {lines.begin(), lines.end()};
}

// Whether the system is to remove path at the next restart, letter case aside.
bool GoesAtRestart(const std::string& path)
{
    const std::wstring wanted = port::Widened(path);
    for (const std::string& line : SplitLines(PendingRemovals())) {
        const std::wstring pending = port::Widened(line.starts_with("\\??\\") ? line.substr(4) : line);
        if (CompareStringOrdinal(pending.c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    }
    return false;
}

std::string ReadWide(const std::string& path)
{
    std::ifstream in(std::filesystem::path(port::SystemPath(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class UnicodeJourney : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(UnicodeShellFolder(CSIDL_PROFILE).find("\\Łukasz\\"), std::string::npos)
            << "the prefix's user is Łukasz: " << UnicodeShellFolder(CSIDL_PROFILE);
        ASSERT_EQ(GetACP(), 65001U);
        MakeProduct();
        dist_ = MakeDistribution("dist", "");
        single_ = MakeDistribution("single", " --single-file");
    }

    void TearDown() override { RemoveLeftovers(); }

    // Written as a product's maker writes it: UTF-8 configuration files and names.
    void MakeProduct()
    {
        const std::string product = scratch_ / "product\\";
        std::filesystem::create_directories(Wide(product + "日本語"));
        std::filesystem::copy_file(std::string(SAMPLE_PRODUCT) + "\\license.txt", Wide(product + "license.txt"));
        ScratchDir::Write(product + kTextFile, "Zażółć gęślą jaźń\r\n");
        ScratchDir::Write(product + kSubfolderFile, "日本語のテキスト\r\n");
        ScratchDir::Write(product + "install.cfg",
                          Concat({"[Setup Screen]\r\nText Line 1=", kUnicodeTitle, "\r\nMain Directory=", kUnicodeTitle,
                                  "\r\nUnder Program Files=1\r\nDesktop Folder=", kShortcutFolder,
                                  "\r\n[INI\\Registry]\r\nCount=2\r\nINIREG 0=", kIniFile,
                                  ",Sekcja,Straße,Grüße\r\nINIREG 1=HKEY_CURRENT_USER\\Software\\Zażółć 日本語,Opcje,"
                                  "Waluta,100 €\r\n[Desktop]\r\nNotizbücher,<InstallDir>\\",
                                  kTextFile, ",X,X,,,", kShortcutFolder, ",=1\r\n"}));
        ScratchDir::Write(product + "finstall.cfg",
                          Concat({"Installation Directory,", kTextFile, "\r\nInstallation Directory,日本語,",
                                  kSubfolderFile, "\r\n"}));
    }

    // A distribution made by the Windows mksetup and copied into the user's Downloads folder; its folder there.
    std::string MakeDistribution(const std::string& name, const std::string& options)
    {
        const std::string built = scratch_ / name;
        const std::string arguments =
            "build \"" + scratch_ / "product" + "\" -o \"" + built + "\" --setup \"" + SETUP_EXE + "\"" + options;
        DrivenProcess mksetup(CommandLineOf(MKSETUP_EXE, arguments), scratch_.Path());
        EXPECT_EQ(mksetup.WaitForExit(SetupDriver::kPatienceMs), 0U) << "mksetup " << arguments;
        const std::string downloaded = KnownFolder(FOLDERID_Downloads) + name + "\\";
        std::error_code ignored;
        std::filesystem::remove_all(Wide(downloaded), ignored);
        std::filesystem::copy(Wide(built), Wide(downloaded), std::filesystem::copy_options::recursive);
        return downloaded;
    }

    // Every name as written: the files, the shortcuts under the real profile, the INI key, the registry value and
    // the uninstall entry.
    void ExpectInstalled(const std::string& dir)
    {
        EXPECT_EQ(ReadWide(dir + kTextFile), "Zażółć gęślą jaźń\r\n") << dir;
        EXPECT_EQ(ReadWide(dir + kSubfolderFile), "日本語のテキスト\r\n") << dir;
        const std::string listing = scratch_ / "listing.txt";
        EXPECT_EQ(UnixNamesIn(dir, listing), (std::set<std::string>{"finstall.cfg", "install.cfg", "setup.exe",
                                                                    "uninstaller.cfg", "zażółć.txt", "日本語"}));
        EXPECT_EQ(UnixNamesIn(dir + "日本語", listing), std::set<std::string>{"ファイル.txt"});
        EXPECT_EQ(UnixNamesIn("C:\\users", listing), (std::set<std::string>{"Public", "Łukasz"}))
            << "one profile folder, spelled as the user is called";
        const std::string programs = UnicodeShellFolder(CSIDL_PROGRAMS) + kShortcutFolder + "\\" + kShortcut;
        for (const std::string& link : {programs, UnicodeShellFolder(CSIDL_DESKTOPDIRECTORY) + kShortcut}) {
            const std::optional<ShellLinkContents> contents = ReadShellLink(link);
            ASSERT_TRUE(contents.has_value()) << link;
            EXPECT_EQ(contents->Target, dir + kTextFile) << link;
        }
        EXPECT_EQ(IniText(WindowsDirectory() + kIniFile, "Sekcja", "Straße"), "Grüße");
        EXPECT_EQ(WideRegistryText(HKEY_CURRENT_USER, kRegistryKey, "Waluta"), "100 €");
        EXPECT_EQ(WideRegistryText(HKEY_LOCAL_MACHINE, UninstallKeyOf(kUnicodeTitle), "DisplayName"), kUnicodeTitle);
    }

    static std::string UninstallKeyOf(const std::string& title)
    {
        return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + title;
    }

    // From the entry, silently; what the uninstaller cannot delete while it runs goes at the next restart. A copy
    // of the uninstaller, started elsewhere, finds the installation through the entry as well.
    std::vector<std::string> UninstallAndCompare(const MachineSnapshot& before, const std::string& dir,
                                                 bool fromACopy = false)
    {
        const std::string command =
            WideRegistryText(HKEY_LOCAL_MACHINE, UninstallKeyOf(kUnicodeTitle), "UninstallString");
        std::string program = command.substr(1, command.find('"', 1) - 1);
        EXPECT_LT(port::Widened(program).size(), static_cast<std::size_t>(MAX_PATH)) << "a path a program starts from";
        EXPECT_EQ(port::LongPathOf(program), dir + "setup.exe") << program;
        if (fromACopy) {
            std::filesystem::copy_file(Wide(program), Wide(scratch_ / "setup.exe"));
            program = scratch_ / "setup.exe";
        }
        const SilentRun run = RunSilently(program, kUnicodeTitle, WindowsDirectory(), scratch_ / "uninstall.log");
        EXPECT_EQ(run.ExitCode, 0U) << run.Log;
        // The product's own INI file in the Windows folder is one Windows may use: kept, and named.
        const std::string ini = WindowsDirectory() + kIniFile;
        EXPECT_NE(run.Log.find("Kept " + ini), std::string::npos) << run.Log;
        std::filesystem::remove(Wide(ini));
        std::vector<std::string> left;
        for (const std::string& change : before.DifferencesTo(MachineSnapshot::Take(dir)))
            if (!GoesAtRestart(change.substr(change.find(' ', 2) + 1))) left.push_back(change);
        return left;
    }

    void RemoveLeftovers() const
    {
        std::error_code ignored;
        for (const std::string& dir : {UnicodeShellFolder(CSIDL_PROGRAM_FILES) + kUnicodeTitle, std::string(kLongRoot),
                                       UnicodeShellFolder(CSIDL_PROGRAMS) + kShortcutFolder})
            std::filesystem::remove_all(Wide(dir), ignored);
        for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU})
            std::filesystem::remove(Wide(UnicodeShellFolder(csidl) + kShortcut), ignored);
        std::filesystem::remove(Wide(WindowsDirectory() + kIniFile), ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, port::Widened("Software\\Zażółć 日本語").c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, port::Widened(UninstallKeyOf(kUnicodeTitle)).c_str());
    }

    static constexpr const char* kLongRoot = "C:\\Długie";
    ScratchDir scratch_;
    std::string dist_;
    std::string single_;
};

TEST_F(UnicodeJourney, TheSingleFileInstallsSilentlyIntoAFolderNamedInPolishAndJapanese)
{
    const std::string destination = "C:\\Programy Łódź 日本語";
    const std::string dir = destination + "\\";
    const MachineSnapshot before = MachineSnapshot::Take(dir);
    const SilentRun run = RunSilently(single_ + "setup.exe", "/D=" + destination, single_, scratch_ / "install.log");
    ASSERT_EQ(run.ExitCode, 0U) << run.Log;
    EXPECT_NE(run.Log.find("Installed " + dir + kSubfolderFile), std::string::npos) << run.Log;
    ExpectInstalled(dir);
    EXPECT_EQ(UninstallAndCompare(before, dir), std::vector<std::string>());
    std::error_code ignored;
    std::filesystem::remove_all(Wide(dir), ignored);
}

TEST_F(UnicodeJourney, TheFolderDistributionInstallsThroughTheWizard)
{
    const std::string dir = UnicodeShellFolder(CSIDL_PROGRAM_FILES) + kUnicodeTitle + "\\";
    const MachineSnapshot before = MachineSnapshot::Take(dir);
    {
        SetupDriver setup(CommandLineOf(dist_ + "setup.exe", ""), dist_);
        WalkInstall(setup, {"", false, false, {}}, [&](int page, SetupDriver& driver) {
            if (page == ControlId::Finished) {
                EXPECT_EQ(driver.Caption(ControlId::RxLabel3), kUnicodeTitle);
            }
        });
    }
    ExpectInstalled(dir);
    EXPECT_EQ(UninstallAndCompare(before, dir), std::vector<std::string>());
}

// Past MAX_PATH, where only the wide calls with "\\?\" reach. A shortcut cannot lead there (a link holds MAX_PATH
// characters): each is named among what was not installed, the run goes on, and a silent run says so in its code.
TEST_F(UnicodeJourney, ADestinationOf300CharactersInstallsAndUninstalls)
{
    std::string destination = kLongRoot;
    while (destination.size() < 300) destination += "\\folder with a long name";
    const std::string dir = destination + "\\";
    const MachineSnapshot before = MachineSnapshot::Take(dir);
    const SilentRun run = RunSilently(single_ + "setup.exe", "/D=" + destination, single_, scratch_ / "long.log");
    EXPECT_EQ(run.ExitCode, 1U) << run.Log;
    for (const std::string& link : {UnicodeShellFolder(CSIDL_DESKTOPDIRECTORY) + kShortcut,
                                    UnicodeShellFolder(CSIDL_PROGRAMS) + kShortcutFolder + "\\" + kShortcut})
        EXPECT_NE(run.Log.find("Not installed: " + link), std::string::npos) << link << "\n" << run.Log;
    EXPECT_NE(run.Log.find("Uninstall entry "), std::string::npos) << run.Log;
    EXPECT_EQ(ReadWide(dir + kSubfolderFile), "日本語のテキスト\r\n");
    // Wine starts no program whose long path passes MAX_PATH, not even by the 8.3 path the entry names, which
    // Windows starts.
    EXPECT_EQ(UninstallAndCompare(before, dir, true), std::vector<std::string>());
    EXPECT_FALSE(port::FileExists(dir + kTextFile));
    EXPECT_TRUE(!port::IsDirectory(dir) || GoesAtRestart(destination))
        << "the destination is gone, or goes at the next restart, past MAX_PATH too";
}

}  // namespace
