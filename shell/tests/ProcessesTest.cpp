#include "shell/Processes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <thread>

#include "port/FileSystem.h"
#include "shell/FileRoutines.h"
#include "shell/Processes.h"
#include "testsupport/HangCeiling.h"
#include "testsupport/ProgramBeside.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string HelperPath()
{
    return ProgramBesideThisOne("run_helper.exe");
}

// Wine reports no handle count, so the handles are counted by probing the values a handle can take.
int CountOpenHandles()
{
    int count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

TEST(RunAndWait, AProgramThatCannotStartGivesMinusOneAtOnce)
{
    ScratchDir dir;
    // Nothing started, nothing to wait for: a call that waited anyway would hang, and meet the ceiling.
    const std::string missing = dir / "missing.exe";
    std::packaged_task<int()> run([missing] { return RunAndWait(missing, "", SW_HIDE); });
    std::future<int> result = run.get_future();
    std::thread(std::move(run)).detach();
    ASSERT_EQ(result.wait_for(std::chrono::milliseconds(kHangCeilingMs)), std::future_status::ready);
    EXPECT_EQ(result.get(), -1);
}

TEST(RunAndWait, WaitsForTheProgramToEnd)
{
    ScratchDir dir;
    const std::string marker = dir / "done.txt";
    EXPECT_EQ(RunAndWait(HelperPath(), "\"" + marker + "\" 700 finished", SW_HIDE), 0);
    // The helper writes only after its delay: the file is there only if the call waited.
    EXPECT_TRUE(port::FileExists(marker));
    EXPECT_EQ(ScratchDir::Read(marker), "finished");
}

TEST(RunAndWait, ClosesTheHandlesItOpens)
{
    ScratchDir dir;
    const std::string arguments = "\"" + dir / "marker" + "\" 0";
    ASSERT_EQ(RunAndWait(HelperPath(), arguments, SW_HIDE), 0);  // the first run may open handles that stay for good
    const int before = CountOpenHandles();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(RunAndWait(HelperPath(), arguments, SW_HIDE), 0);
    EXPECT_LT(CountOpenHandles(), before + 5) << "a process or thread handle is left open on each run";
}

TEST(RunAndWait, CommandLinesLongerThan512CharactersArriveWhole)
{
    ScratchDir dir;
    const std::string marker = dir / "long.txt";
    const std::string word(600, 'w');
    const std::string arguments = "\"" + marker + "\" 0 " + word + " end";
    ASSERT_GT(arguments.size(), 512u);
    EXPECT_EQ(RunAndWait(HelperPath(), arguments, SW_HIDE), 0);
    EXPECT_EQ(ScratchDir::Read(marker), word + " end");
}

TEST(OpenWithShell, TextsLongerThan80CharactersArriveWhole)
{
    ScratchDir dir;
    const std::string longDir = dir / (std::string(90, 'd') + "\\");
    CreateDirectoryPath(longDir);
    CopyFileTo(HelperPath(), longDir);
    const std::string marker = longDir + "opened.txt";
    const std::string params = "\"" + marker + "\" 0 " + std::string(100, 'p');
    ASSERT_GT(marker.size(), 80u);

    const HINSTANCE result = OpenWithShell(nullptr, longDir + "run_helper.exe", params, longDir, SW_HIDE);
    EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
    // The helper writes its file whole, then ends.
    ASSERT_TRUE(Eventually([&marker] { return ScratchDir::Read(marker) == std::string(100, 'p'); }));
    // The directory goes as soon as the helper, started in it, lets it go.
    EXPECT_TRUE(Eventually([&longDir] {
        std::error_code held;
        std::filesystem::remove_all(ScratchDir::Native(longDir), held);
        return !held;
    }));
}

TEST(OpenWithShell, AMissingFileIsReportedByTheResult)
{
    ScratchDir dir;
    const HINSTANCE result = OpenWithShell(nullptr, dir / "missing.exe", "", "", SW_HIDE);
    EXPECT_LE(reinterpret_cast<INT_PTR>(result), 32);
}

}  // namespace
