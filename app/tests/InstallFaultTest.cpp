// Installing when the system says no: files that cannot be replaced, a record that cannot be written, a
// registry key that cannot be created and paths beyond MAX_PATH. What may be skipped is skipped and kept
// as it was; what stops the run stops it with a message naming the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "InstallRun.h"
#include "InstallTestSupport.h"
#include "SavedPendingRenames.h"
#include "app/install/JournalUndo.h"
#include "app/install/RawRegistry.h"
#include "app/install/UninstallKey.h"
#include "app/record/UninstallRecordReader.h"
#include "port/Exception.h"
#include "port/WholeFile.h"
#include "settings/Registry.h"
#include "shell/PendingRenames.h"
#include "testsupport/win32/HeldFile.h"

namespace {

class InstallFault : public InstallRun {
protected:
    // The message the run stopped with, or "finished".
    std::string Outcome(const Keys& finstallLines)
    {
        try {
            Install(finstallLines);
        } catch (const Exception& error) {
            return error.what();
        }
        return "finished";
    }

    bool Recorded(const std::string& key) const
    {
        const Keys files = SectionKeys(Record(), "Files");
        return std::find(files.begin(), files.end(), key) != files.end();
    }

    Leftovers uninstallKey_{{{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}}, {}};
};

// In a folder that was there before, only what the run wrote is recorded. A read-only file is never forced
// and a file held open is replaced at the next restart; the run goes on and its outcome names both, and the
// file missing from the installation files.
TEST_F(InstallFault, FilesThatCannotBeReplacedNowAreNamedAndOnlyWhatTheRunWroteIsRecorded)
{
    SavedPendingRenames pending;
    CreateDirectoryA(AppDir().c_str(), nullptr);
    for (const char* name : {"readonly.txt", "held.txt", "replaced.txt"}) {
        ScratchDir::Write(AppDir() + name, "old");
        Support(name, "new");
    }
    Support("free.txt", "new");
    const std::string readOnly = AppDir() + "readonly.txt";
    const std::string held = AppDir() + "held.txt";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    TInstallOutcome outcome;
    {
        HeldFile holder(held);
        Install({"Installation Directory,C:\\readonly.txt", "Installation Directory,C:\\held.txt",
                 "Installation Directory,C:\\replaced.txt", "Installation Directory,C:\\free.txt",
                 "Installation Directory,C:\\absent.txt"});
        outcome = outcome_;
    }
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ScratchDir::Read(readOnly), "old");
    EXPECT_EQ(ScratchDir::Read(held), "old") << "until the restart";
    EXPECT_EQ(ScratchDir::Read(AppDir() + "replaced.txt"), "new");
    EXPECT_EQ(ScratchDir::Read(AppDir() + "free.txt"), "new") << "the run went on";
    EXPECT_FALSE(Recorded(readOnly));
    EXPECT_FALSE(Recorded(AppDir() + "absent.txt"));
    EXPECT_TRUE(Recorded(held)) << "the run's copy takes its place at the restart";
    EXPECT_TRUE(Recorded(AppDir() + "replaced.txt"));

    const std::vector<TPendingRename> renames = PendingRenames();
    ASSERT_FALSE(renames.empty());
    EXPECT_EQ(renames.back().Target, held);
    EXPECT_EQ(ScratchDir::Read(renames.back().Source), "new") << "the copy waits beside the file";
    EXPECT_EQ(OutcomeMessage(outcome),
              "These files were not installed:\r\n" + readOnly + " (the file there is read-only)\r\n" + AppDir() +
                  "absent.txt (not found among the installation files)\r\n\r\n"
                  "These files are in use and will be replaced when Windows restarts:\r\n" +
                  held);
    EXPECT_TRUE(outcome.RestartNeeded());
}

// A user's installation may not add to the machine's renames at the restart: a file in use stays as it is and is
// named among the files not installed. Its entry, and the record's scope, are the user's.
TEST_F(InstallFault, AUsersInstallationNamesAFileInUseAsNotInstalled)
{
    const Leftovers userEntry({{HKEY_CURRENT_USER, UninstallKeyPath(kTitle)}}, {});
    SavedPendingRenames pending;
    CreateDirectoryA(AppDir().c_str(), nullptr);
    const std::string held = AppDir() + "held.txt";
    ScratchDir::Write(held, "old");
    Support("held.txt", "new");
    choices.Scope = isUser;
    TInstallOutcome outcome;
    {
        HeldFile holder(held);
        Install({"Installation Directory,C:\\held.txt"});
        outcome = outcome_;
    }
    EXPECT_EQ(ScratchDir::Read(held), "old");
    EXPECT_FALSE(Recorded(held));
    EXPECT_EQ(pending.Added(), "");
    EXPECT_EQ(OutcomeMessage(outcome), "These files were not installed:\r\n" + held +
                                           " (in use; only an administrator's installation can replace it at the "
                                           "restart)");
    EXPECT_FALSE(outcome.RestartNeeded());
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, UninstallKeyPath(kTitle)));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)));
    EXPECT_EQ(ReadUninstallRecord(AppDir()).Scope, "user");
}

TEST_F(InstallFault, ARecordThatCannotBeReplacedStopsTheRunNamingIt)
{
    CreateDirectoryA(AppDir().c_str(), nullptr);
    const std::string record = AppDir() + "uninstaller.cfg";
    ScratchDir::Write(record, "[Name]\r\nTitle=the last installation\r\n");
    SetFileAttributesA(record.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Outcome({}), UndoneMessage("Unable to write to " + record, {}));
    {
        HeldFile held(record);
        SetFileAttributesA(record.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Outcome({}), UndoneMessage("Unable to write to " + record, {})) << "held open by another process";
    }
    EXPECT_EQ(ScratchDir::Read(record), "[Name]\r\nTitle=the last installation\r\n");
    EXPECT_FALSE(FileExists(AppDir() + "setup.exe")) << "nothing was installed";
}

// Wine, like Windows, refuses a lasting key below a volatile one.
TEST_F(InstallFault, ARegistryKeyThatCannotBeCreatedIsPassedOver)
{
    const std::string volatileKey = "Software\\SetupTests\\Volatile";
    const std::string laterKey = "Software\\SetupTests\\AfterVolatile";
    Leftovers leftovers({{HKEY_CURRENT_USER, volatileKey}, {HKEY_CURRENT_USER, laterKey}}, {});
    // The parent made lasting first: the volatile option would make it volatile too.
    TRegistry(HKEY_CURRENT_USER).CreateKey("Software\\SetupTests");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    global.RegistryEntries = {"HKEY_CURRENT_USER\\" + volatileKey + ",Child,Name,lost",
                              "HKEY_CURRENT_USER\\" + laterKey + ",App,Name,kept"};
    EXPECT_EQ(Outcome({}), "finished");
    EXPECT_FALSE(TRegistry(HKEY_CURRENT_USER).KeyExists(volatileKey + "\\Child"));
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, laterKey + "\\App", "Name"), "kept") << "the run went on";
}

// Beyond MAX_PATH the wide calls reach through "\\?\": a file and an installation directory that long install; only
// a path past what even they take is passed over, and named.
TEST_F(InstallFault, PathsBeyondMaxPath)
{
    std::string deep;
    while (deep.size() < MAX_PATH) deep += "a folder with a long name,";
    std::string beyondAll;
    while (beyondAll.size() < 33000) beyondAll += "a folder with a long name,";
    Support("deep.txt", "deep");
    Support("near.txt", "near");
    EXPECT_EQ(Outcome({"Installation Directory," + deep + "C:\\deep.txt", "Installation Directory,C:\\near.txt",
                       "Installation Directory," + beyondAll + "C:\\deep.txt"}),
              "finished")
        << "a file that cannot be placed is skipped";
    EXPECT_EQ(ScratchDir::Read(AppDir() + "near.txt"), "near");
    std::string deepFile = AppDir() + deep + "deep.txt";
    std::replace(deepFile.begin(), deepFile.end(), ',', '\\');
    EXPECT_EQ(ReadWholeFile(deepFile), std::optional<std::string>("deep"));
    ASSERT_EQ(outcome_.Skipped.size(), 1u) << "and named";
    EXPECT_EQ(outcome_.Skipped[0].Why, plRefused);

    std::string tooDeep = scratch_ / "";
    while (tooDeep.size() < MAX_PATH) tooDeep += "a folder with a long name\\";
    choices.InstallDir = tooDeep + "App";
    EXPECT_EQ(Outcome({"Installation Directory,C:\\near.txt"}), "finished");
    EXPECT_EQ(ReadWholeFile(AppDir() + "near.txt"), std::optional<std::string>("near"));
}

}  // namespace
