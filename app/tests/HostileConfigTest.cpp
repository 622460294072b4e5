// A configuration written to hurt, read and installed: enormous texts, ten thousand list entries, deeply
// nested folder fields, empty fields and ".." in names. The load stays bounded and the run ends, finished
// or with a message, never by a crash, and records nothing that would reach beyond what it installed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "InstallRun.h"
#include "InstallTestSupport.h"
#include "app/install/UninstallKey.h"
#include "app/product/SetupConfig.h"
#include "port/Exception.h"

namespace {

class HostileConfig : public InstallRun {
protected:
    // Loads the product from install.cfg and finstall.cfg texts and installs it; the message the run
    // stopped with, or "finished".
    std::string LoadAndInstall(const std::string& installCfg, const std::string& finstallCfg)
    {
        const std::string product = scratch_ / "Product\\";
        CreateDirectoryA(product.c_str(), nullptr);
        ScratchDir::Write(product + "install.cfg", installCfg);
        ScratchDir::Write(product + "finstall.cfg", finstallCfg);
        config = ReadSetupConfig(product);
        ApplyToGlobals(config, global);
        choices.ShortcutRows = std::vector<bool>(3 * global.ShortcutEntries.size(), true);
        global.DestinationFiles = ResolveDestinations(global.InstallFiles, choices.InstallDir);
        try {
            RunInstallation(global, choices, progress);
        } catch (const Exception& error) {
            return error.what();
        }
        return "finished";
    }

    Keys RecordedFiles() const { return SectionKeys(Record(), "Files"); }

    TSetupConfig config;
    Leftovers uninstallKey_{{{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {}};
};

TEST_F(HostileConfig, EnormousTextsAreCutAtTheProfileLimit)
{
    Support("x.txt", "x");
    const std::string huge(100000, 'x');
    EXPECT_EQ(LoadAndInstall("[Setup Screen]\r\nText Line 1=" + huge + "\r\n",
                             "Installation Directory," + huge + ",C:\\x.txt\r\nInstallation Directory,C:\\x.txt\r\n"),
              "finished");
    EXPECT_EQ(config.Lines[0].Text, huge.substr(0, 2047));
    EXPECT_EQ(ScratchDir::Read(AppDir() + "x.txt"), "x") << "the line that cannot be placed is skipped";
}

TEST_F(HostileConfig, TenThousandEntriesAreReadAndInstalledOnce)
{
    Support("same.txt", "same");
    std::string lines;
    for (int i = 0; i < 10000; ++i) lines += "Installation Directory,C:\\same.txt\r\n";
    EXPECT_EQ(LoadAndInstall("[INI\\Registry]\r\nCount=2000000000\r\n", lines), "finished");
    EXPECT_EQ(global.InstallFiles.size(), 10003u) << "with the three support files";
    EXPECT_EQ(global.RegistryEntries.size(), 10000u) << "a hostile count is capped";
    EXPECT_EQ(ScratchDir::Read(AppDir() + "same.txt"), "same");
    EXPECT_EQ(RecordedFiles(), Keys{AppDir() + "*.*"});
}

TEST_F(HostileConfig, DeeplyNestedAndEmptyFieldsEndTheRun)
{
    std::string nested;
    for (int i = 0; i < 300; ++i) nested += "d\\";
    std::string nestedTokens;
    for (int i = 0; i < 300; ++i) nestedTokens += "d,";
    Support("a.txt", "a");
    const std::string outcome = LoadAndInstall("[Desktop]\r\nTool,<InstallDir>\\a.txt,X,X,,," + nested +
                                                   ",C:\\a.ico\r\n,,,,,,,=\r\n"
                                                   "[INI\\Registry]\r\nCount=2\r\nINIREG 0=,,,\r\nINIREG 1=\r\n",
                                               "Installation Directory," + nestedTokens +
                                                   "C:\\a.txt\r\n,,,\r\n\t\t\r\n,\r\n"
                                                   "Installation Directory,C:\\a.txt\r\n");
    EXPECT_EQ(outcome, "finished");
    EXPECT_EQ(ScratchDir::Read(AppDir() + "a.txt"), "a");
}

TEST_F(HostileConfig, DotDotInNamesIsRecordedFileByFile)
{
    Support("up.txt", "up");
    EXPECT_EQ(LoadAndInstall("", "Installation Directory,..,C:\\..\\..\\up.txt\r\n"), "finished");
    const std::string above = AppDir() + "..\\up.txt";
    EXPECT_EQ(ScratchDir::Read(scratch_ / "up.txt"), "up");
    const Keys files = RecordedFiles();
    EXPECT_NE(std::find(files.begin(), files.end(), above), files.end()) << "the file alone";
    EXPECT_EQ(std::find(files.begin(), files.end(), AppDir() + "..\\*.*"), files.end())
        << "never the whole directory above the installation";
}

}  // namespace
