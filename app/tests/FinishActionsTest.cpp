#include "app/finish/FinishActions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/FileRoutines.h"
#include "shell/ShellFolders.h"
#include "testsupport/ScratchDir.h"

namespace {

// The form for tests: records the headings, the restart requests and the close.
class RecordingHost : public TFinishHost {
public:
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    void ProcessMessages() override {}
    bool ShutdownWindows(UINT flags) override
    {
        shutdownFlags.push_back(flags);
        return true;
    }
    void Close() override { ++closes; }

    std::vector<std::string> captions;
    std::vector<UINT> shutdownFlags;
    int closes = 0;
};

// launch_trace.exe lies beside the test program; it appends "its path|its directory" to the log.
std::string TracerPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return DirectoryPart(std::string(path, length)) + "launch_trace.exe";
}

class LaunchLog {
public:
    LaunchLog() { DeleteFileA(Path().c_str()); }
    ~LaunchLog() { DeleteFileA(Path().c_str()); }
    LaunchLog(const LaunchLog&) = delete;
    LaunchLog& operator=(const LaunchLog&) = delete;

    static std::string Path() { return WindowsDir() + "\\SetupTests-launch.log"; }
    std::vector<std::string> Lines() const { return SplitLines(ScratchDir::Read(Path())); }

    // The lines once at least count are there, or after ten seconds whatever is there.
    std::vector<std::string> AwaitLines(std::size_t count) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Lines().size() < count && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return Lines();
    }
};

// A temporary directory as the bootstrap leaves it: the launch programs and other support files.
std::string MakeTempDir(const ScratchDir& scratch, const std::vector<std::string>& programs)
{
    const std::string temp = scratch / "z2000_101112\\";
    CreateDirectoryPath(temp);
    for (const std::string& program : programs) CopyFileA(TracerPath().c_str(), (temp + program).c_str(), FALSE);
    ScratchDir::Write(temp + "install.cfg", "[Setup Screen]\r\n");
    ScratchDir::Write(temp + "license.txt", "terms");
    return temp;
}

TEST(FinishActions, LaunchProgramsRunInOrderAndEndBeforeTheTemporaryFilesGo)
{
    ScratchDir scratch;
    LaunchLog log;
    // Unquoted, "second prog.exe" would start second.exe.
    const std::string temp = MakeTempDir(scratch, {"first.exe", "second prog.exe", "second.exe"});

    RecordingHost host;
    RunFinishActions({fcReturn, temp, {"first.exe", "missing.exe", "second prog.exe /quiet \"a b\""}, ""}, host);

    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << "each one waited for; a program that cannot start is passed over";
    std::string first = lines[0];
    std::string second = lines[1];
    EXPECT_EQ(SplitFirst(first, '|'), temp + "first.exe");
    EXPECT_EQ(SplitFirst(second, '|'), temp + "second prog.exe") << "a space in the name runs that program";
    SplitFirst(second, '|');
    EXPECT_EQ(second, "/quiet \"a b\"") << "the arguments follow the quoted program";
    EXPECT_FALSE(port::IsDirectory(temp));
    EXPECT_EQ(host.captions, (std::vector<std::string>{"Launching External Applications", "Removing Up Tempoary Files",
                                                       "Install Completed"}));
    EXPECT_TRUE(host.shutdownFlags.empty());
    EXPECT_EQ(host.closes, 1);
}

TEST(FinishActions, ReturnToWindowsOnlyCleansUp)
{
    ScratchDir scratch;
    LaunchLog log;
    const std::string temp = MakeTempDir(scratch, {});
    CreateDirectoryA((temp + "Sub").c_str(), nullptr);

    RecordingHost host;
    RunFinishActions({fcReturn, temp, {}, TracerPath()}, host);

    EXPECT_EQ(host.captions, (std::vector<std::string>{"Removing Up Tempoary Files", "Install Completed"}));
    EXPECT_FALSE(port::FileExists(temp + "install.cfg"));
    EXPECT_TRUE(port::IsDirectory(temp + "Sub")) << "only the files go; the directory stays while it holds one";
    EXPECT_TRUE(host.shutdownFlags.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(log.Lines().empty()) << "nothing was started";
    EXPECT_EQ(host.closes, 1);
}

TEST(FinishActions, LaunchProgramStartsTheInstalledProgramThroughTheShell)
{
    ScratchDir scratch;
    LaunchLog log;
    const std::string temp = MakeTempDir(scratch, {});
    const std::string installed = scratch / "Installed\\";
    CreateDirectoryPath(installed);
    ASSERT_TRUE(CopyFileA(TracerPath().c_str(), (installed + "notes.exe").c_str(), FALSE));

    RecordingHost host;
    RunFinishActions({fcLaunch, temp, {}, installed + "notes.exe"}, host);

    EXPECT_FALSE(port::IsDirectory(temp));
    EXPECT_EQ(host.closes, 1);
    const std::vector<std::string> lines = log.AwaitLines(1);
    ASSERT_EQ(lines.size(), 1u) << "not waited for, but it runs";
    EXPECT_EQ(lines[0], installed + "notes.exe|" + installed.substr(0, installed.size() - 1) + "|")
        << "started in its own directory, without arguments";
}

TEST(FinishActions, RestartAsksTheSystemToRestart)
{
    ScratchDir scratch;
    const std::string temp = MakeTempDir(scratch, {});

    RecordingHost host;
    RunFinishActions({fcRestart, temp, {}, ""}, host);

    EXPECT_EQ(host.shutdownFlags, std::vector<UINT>{EWX_REBOOT});
    EXPECT_FALSE(port::IsDirectory(temp)) << "cleaned up before the restart";
    EXPECT_EQ(host.captions.back(), "Install Completed");
    EXPECT_EQ(host.closes, 1);
}

TEST(FinishActions, ATemporaryDirectoryThatIsNotAnAbsolutePathIsLeftAlone)
{
    ScratchDir scratch;
    ScratchDir::Write(scratch / "user.txt", "mine");
    ScratchDir::Write("C:\\SetupTests-root.txt", "root");
    const std::string previous = port::CurrentDir();
    port::SetCurrentDir(scratch.Path());

    for (const char* hostile : {"", "C:\\", "C:", "Temp\\"}) {
        RecordingHost host;
        RunFinishActions({fcReturn, hostile, {}, ""}, host);
    }
    port::SetCurrentDir(previous);

    EXPECT_TRUE(port::FileExists(scratch / "user.txt"));
    EXPECT_TRUE(port::FileExists("C:\\SetupTests-root.txt"));
    DeleteFileA("C:\\SetupTests-root.txt");
}

}  // namespace
