#include "app/finish/FinishActions.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/FileRoutines.h"
#include "shell/ShellFolders.h"
#include "testsupport/CurrentDir.h"
#include "testsupport/HangCeiling.h"
#include "testsupport/ProgramBeside.h"
#include "testsupport/ScratchDir.h"

namespace {

// The form for tests: records the headings, the restart requests and the close.
class RecordingHost : public TFinishHost {
public:
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    void ProcessMessages() override {}
    void Log(const std::string& event) override { logged.push_back(event); }
    bool ShutdownWindows(UINT flags) override
    {
        shutdownFlags.push_back(flags);
        return true;
    }
    void Close() override { ++closes; }

    std::vector<std::string> captions;
    std::vector<std::string> logged;
    std::vector<UINT> shutdownFlags;
    int closes = 0;
};

// launch_trace.exe appends "its path|its directory" to the log.
std::string TracerPath()
{
    return ProgramBesideThisOne("launch_trace.exe");
}

class LaunchLog {
public:
    LaunchLog() { DeleteFileA(Path().c_str()); }
    ~LaunchLog() { DeleteFileA(Path().c_str()); }
    LaunchLog(const LaunchLog&) = delete;
    LaunchLog& operator=(const LaunchLog&) = delete;

    static std::string Path() { return WindowsDir() + "\\SetupTests-launch.log"; }
    std::vector<std::string> Lines() const { return SplitLines(ScratchDir::Read(Path())); }

    // The lines once at least count are there, or at the hang ceiling whatever is there.
    std::vector<std::string> AwaitLines(std::size_t count) const
    {
        Eventually([this, count] { return Lines().size() >= count; });
        return Lines();
    }
};

// Whether a program of this file name runs.
bool Running(const std::string& program)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more != FALSE && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, program.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

// A temporary directory as the bootstrap leaves it: the launch programs and other support files, and the
// names of all it wrote there.
struct TempRun {
    std::string Dir;
    std::vector<std::string> Files;
};

TempRun MakeTempDir(const ScratchDir& scratch, const std::vector<std::string>& programs)
{
    TempRun temp{scratch / "z2000_101112\\", programs};
    CreateDirectoryPath(temp.Dir);
    for (const std::string& program : programs) CopyFileA(TracerPath().c_str(), (temp.Dir + program).c_str(), FALSE);
    ScratchDir::Write(temp.Dir + "install.cfg", "[Setup Screen]\r\n");
    ScratchDir::Write(temp.Dir + "license.txt", "terms");
    temp.Files.insert(temp.Files.end(), {"install.cfg", "license.txt"});
    return temp;
}

TEST(FinishActions, LaunchProgramsRunInOrderAndEndBeforeTheTemporaryFilesGo)
{
    ScratchDir scratch;
    LaunchLog log;
    // Unquoted, "second prog.exe" would start second.exe.
    const TempRun temp = MakeTempDir(scratch, {"first.exe", "second prog.exe", "second.exe"});

    RecordingHost host;
    RunFinishActions(
        {fcReturn, temp.Dir, temp.Files, {"first.exe", "missing.exe", "second prog.exe /quiet \"a b\""}, ""}, host);

    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << "each one waited for; a program that cannot start is passed over";
    std::string first = lines[0];
    std::string second = lines[1];
    EXPECT_EQ(SplitFirst(first, '|'), temp.Dir + "first.exe");
    EXPECT_EQ(SplitFirst(first, '|'), temp.Dir.substr(0, temp.Dir.size() - 1))
        << "started in its own folder, not in the download folder setup.exe was started from";
    EXPECT_EQ(SplitFirst(second, '|'), temp.Dir + "second prog.exe") << "a space in the name runs that program";
    SplitFirst(second, '|');
    EXPECT_EQ(second, "/quiet \"a b\"") << "the arguments follow the quoted program";
    EXPECT_FALSE(port::IsDirectory(temp.Dir));
    EXPECT_EQ(host.captions, (std::vector<std::string>{"Launching External Applications", "Removing Up Tempoary Files",
                                                       "Install Completed"}));
    EXPECT_TRUE(host.shutdownFlags.empty());
    EXPECT_EQ(host.closes, 1);
}

// Only the files the run wrote go, by name: a folder that another user prepared or linked elsewhere holds
// files that are not the run's.
TEST(FinishActions, ReturnToWindowsOnlyCleansUpTheRunsOwnFiles)
{
    ScratchDir scratch;
    LaunchLog log;
    const TempRun temp = MakeTempDir(scratch, {});
    CreateDirectoryA((temp.Dir + "Sub").c_str(), nullptr);
    ScratchDir::Write(temp.Dir + "someone else's.doc", "theirs");

    RecordingHost host;
    RunFinishActions({fcReturn, temp.Dir, temp.Files, {}, TracerPath()}, host);

    EXPECT_EQ(host.captions, (std::vector<std::string>{"Removing Up Tempoary Files", "Install Completed"}));
    EXPECT_FALSE(port::FileExists(temp.Dir + "install.cfg"));
    EXPECT_EQ(ScratchDir::Read(temp.Dir + "someone else's.doc"), "theirs");
    EXPECT_TRUE(port::IsDirectory(temp.Dir + "Sub")) << "the directory stays while it holds what is not the run's";
    EXPECT_TRUE(host.shutdownFlags.empty());
    // A program the run started would be running, or would have left its line, once the run is over.
    ASSERT_TRUE(Eventually([] { return !Running("launch_trace.exe"); }));
    EXPECT_TRUE(log.Lines().empty()) << "nothing was started";
    EXPECT_EQ(host.closes, 1);
}

TEST(FinishActions, LaunchProgramStartsTheInstalledProgramThroughTheShell)
{
    ScratchDir scratch;
    LaunchLog log;
    const TempRun temp = MakeTempDir(scratch, {});
    const std::string installed = scratch / "Installed\\";
    CreateDirectoryPath(installed);
    ASSERT_TRUE(CopyFileA(TracerPath().c_str(), (installed + "notes.exe").c_str(), FALSE));

    RecordingHost host;
    RunFinishActions({fcLaunch, temp.Dir, temp.Files, {}, installed + "notes.exe"}, host);

    EXPECT_FALSE(port::IsDirectory(temp.Dir));
    EXPECT_EQ(host.closes, 1);
    const std::vector<std::string> lines = log.AwaitLines(1);
    ASSERT_EQ(lines.size(), 1u) << "not waited for, but it runs";
    EXPECT_EQ(lines[0], installed + "notes.exe|" + installed.substr(0, installed.size() - 1) + "|")
        << "started in its own directory, without arguments";
}

TEST(FinishActions, RestartAsksTheSystemToRestart)
{
    ScratchDir scratch;
    const TempRun temp = MakeTempDir(scratch, {});

    RecordingHost host;
    RunFinishActions({fcRestart, temp.Dir, temp.Files, {}, ""}, host);

    EXPECT_EQ(host.shutdownFlags, std::vector<UINT>{EWX_REBOOT});
    EXPECT_FALSE(port::IsDirectory(temp.Dir)) << "cleaned up before the restart";
    EXPECT_EQ(host.captions.back(), "Install Completed");
    EXPECT_EQ(host.closes, 1);
}

TEST(FinishActions, ATemporaryDirectoryThatIsNotAnAbsolutePathIsLeftAlone)
{
    ScratchDir scratch;
    ScratchDir::Write(scratch / "user.txt", "mine");
    ScratchDir::Write("C:\\SetupTests-root.txt", "root");
    {
        InDirectory inScratch(scratch.Path());
        for (const char* hostile : {"", "C:\\", "C:", "Temp\\"}) {
            RecordingHost host;
            RunFinishActions({fcReturn, hostile, {"user.txt"}, {}, ""}, host);
        }
    }

    EXPECT_TRUE(port::FileExists(scratch / "user.txt"));
    EXPECT_TRUE(port::FileExists("C:\\SetupTests-root.txt"));
    DeleteFileA("C:\\SetupTests-root.txt");
}

}  // namespace
