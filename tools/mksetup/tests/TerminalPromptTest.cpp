// On a terminal mksetup asks for a missing disk instead of failing: the built mksetup runs on a
// pseudo-terminal, and the test answers its questions as a user at the keyboard would.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "testsupport/GeneratedBytes.h"
#include "testsupport/HangCeiling.h"
#include "testsupport/ScratchDir.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"

namespace fs = std::filesystem;

namespace {

// The answer to the question the output ends with, or nothing while none is pending.
using Answerer = std::function<std::string(const std::string& output)>;

// Runs mksetup with its standard streams on a pseudo-terminal; returns its exit code and everything it wrote.
Result OnTerminal(const std::vector<std::string>& arguments, const Answerer& answer)
{
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) return {-1, "forkpty failed"};
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(MKSETUP_PATH)};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(MKSETUP_PATH, argv.data());
        _exit(127);
    }
    std::string output;
    std::size_t answeredUpTo = 0;
    char buffer[4096];
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(kHangCeilingMs)) == 0) {
            ADD_FAILURE() << "mksetup wrote nothing more for " << kHangCeilingMs / 1000 << " s after:\n" << output;
            kill(child, SIGKILL);
            break;
        }
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n <= 0) break;  // the child has ended and closed its side
        output.append(buffer, static_cast<std::size_t>(n));
        const std::string reply = answer(output.substr(answeredUpTo));
        if (reply.empty()) continue;
        answeredUpTo = output.size();
        const std::string line = reply + "\n";
        if (write(terminal, line.data(), line.size()) != static_cast<ssize_t>(line.size())) break;
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

bool EndsWith(const std::string& text, const std::string& end)
{
    const std::size_t last = text.find_last_not_of(" \r\n");
    return last != std::string::npos && text.substr(0, last + 1).ends_with(end);
}

class TerminalPrompt : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string product = dir.Path() + "product";
    std::string dist = dir.Path() + "dist";
    std::string away = dir.Path() + "disk.002.away";

    // A distribution of several disks, with disk 2 taken out of the drive.
    void SetUp() override
    {
        StageSampleProduct(product);
        ScratchDir::Write(product + "/big.bin", RandomBytes<std::string>(100000, 7));
        ScratchDir::Write(product + "/finstall.cfg",
                          ScratchDir::Read(product + "/finstall.cfg") + "Installation Directory,big.bin\r\n");
        ScratchDir::Write(dir.Path() + "setup.exe", "MZ setup");
        const Result built = Mksetup("build " + Quoted(product) + " -o " + Quoted(dist) + " --setup " +
                                     Quoted(dir.Path() + "setup.exe") + " --seg-size 30000");
        ASSERT_EQ(built.exitCode, 0) << built.output;
        fs::rename(dist + "/disk.002", away);
    }
};

TEST_F(TerminalPrompt, TheMissingDiskPutBackOnTheRetryIsRead)
{
    int asked = 0;
    const Result r = OnTerminal({"verify", dist}, [&](const std::string& output) -> std::string {
        if (EndsWith(output, "Retry? [y/N]")) {
            ++asked;
            if (fs::exists(away)) fs::rename(away, dist + "/disk.002");
            return "y";
        }
        return "";
    });
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_GE(asked, 1) << r.output;
    EXPECT_NE(r.output.find("Unable to locate \"disk.002\""), std::string::npos) << r.output;
}

TEST_F(TerminalPrompt, DecliningTheRetryFailsNamingTheDisk)
{
    int asked = 0;
    const Result r = OnTerminal({"verify", dist}, [&](const std::string& output) -> std::string {
        if (!EndsWith(output, "Retry? [y/N]")) return "";
        ++asked;
        return "n";
    });
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_EQ(asked, 1) << r.output;
    EXPECT_NE(r.output.find("disk.002"), std::string::npos) << r.output;
}

}  // namespace
