// Runs the built mksetup as a user would and checks its files, messages and exit codes.
#include <gtest/gtest.h>

#include <cstdio>

#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/compress/ArchiveBuilder.h"
#include "tools/mksetup/tests/RunMksetup.h"

namespace {

TEST(Mksetup, CompressAndExpandRoundTripRawStreams)
{
    ScratchDir dir;
    const std::string plain = TextBytes<std::string>(50000, 3);
    ScratchDir::Write(dir / "plain.txt", plain);
    for (const std::string method : {"none", "rle", "lzh", "lh5", "lzma"}) {
        const Result c = Mksetup("compress --method " + method + " " + Quoted(dir / "plain.txt") + " " + Quoted(dir / "coded"));
        ASSERT_EQ(c.exitCode, 0) << method << ": " << c.output;
        const Result e = Mksetup("expand --method " + method + " --size 50000 " + Quoted(dir / "coded") + " " +
                             Quoted(dir / "back.txt"));
        ASSERT_EQ(e.exitCode, 0) << method << ": " << e.output;
        EXPECT_EQ(ScratchDir::Read(dir / "back.txt"), plain) << method;
        EXPECT_NE(e.output.find("checksum"), std::string::npos) << e.output;
    }
}

TEST(Mksetup, CompressSaysWhenDataWouldNotGetSmaller)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "noise.bin", RandomBytes<std::string>(20000, 11));
    const Result r = Mksetup("compress --method rle " + Quoted(dir / "noise.bin") + " " + Quoted(dir / "coded"));
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find("noise.bin"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(ScratchDir::Native(dir / "coded"))) << "no partial stream is left";
}

// Only "would not get smaller" used to remove what was written; any failure now leaves no output.
TEST(Mksetup, AFailedCompressOrExpandLeavesNoOutput)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "bad.lh5", std::string(100, '\xFF'));  // no valid code table
    Result r = Mksetup("expand --method lh5 --size 100000 " + Quoted(dir / "bad.lh5") + " " + Quoted(dir / "out.bin"));
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("Bad decode table"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(ScratchDir::Native(dir / "out.bin")));
#ifndef _WIN32
    // The system refuses writes past 64 KB: the output fails part-way (XFSZ ignored, so write says so).
    ScratchDir::Write(dir / "noise.bin", RandomBytes<std::string>(1000000, 11));
    const std::string limited = "sh -c 'trap \"\" XFSZ; ulimit -f 128; exec \"$0\" \"$@\"' ";
    for (const std::string command : {"compress --method none", "expand --method none --size 1000000"}) {
        const std::string line = "\"" + std::string(MKSETUP_PATH) + "\" " + command + " " + Quoted(dir / "noise.bin") + " " +
                                 Quoted(dir / "out.bin") + " 2>&1";
        FILE* pipe = popen((limited + line).c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[512];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
        const int status = pclose(pipe);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << command << ": " << output;
        EXPECT_NE(output.find("out.bin"), std::string::npos) << output;
        EXPECT_FALSE(std::filesystem::exists(ScratchDir::Native(dir / "out.bin"))) << command;
    }
#endif
}

// An archive whose total size is smaller than its entries add up to ends its readers early: verify
// once said "every checksum good" about files it never looked at.
TEST(Mksetup, VerifyCountsTheFilesATotalSizeLeftOut)
{
    ScratchDir dir;
    ArchiveBuilder b("NON", 3);
    b.Add("a.txt", "aaa");
    b.Add("b.txt", "bbb");
    b.WriteTo(dir / "short.cmp");
    const Result r = Mksetup("verify " + Quoted(dir / "short.cmp"));
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("1 of the 2 files listed were expanded"), std::string::npos) << r.output;
}

TEST(Mksetup, ArchiveListAndExtractWithAKey)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "a.txt", TextBytes<std::string>(30000, 3));
    ScratchDir::Write(dir / "b.bin", RandomBytes<std::string>(5000, 11));
    for (const std::string method : {"rle", "lzma"}) {
        const std::string archive = Quoted(dir / (method + ".cmp"));
        Result r = Mksetup("archive -o " + archive + " --method " + method + " --key 4242 " + Quoted(dir / "a.txt") + " " +
                           Quoted(dir / "b.bin"));
        ASSERT_EQ(r.exitCode, 0) << r.output;
        r = Mksetup("list " + archive);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_NE(r.output.find("a.txt                                   " + method), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("b.bin                                   none"), std::string::npos)
            << "noise is stored: " << r.output;
        EXPECT_NE(r.output.find("yes"), std::string::npos) << "locked entries are shown: " << r.output;
        EXPECT_NE(r.output.find("2 entries"), std::string::npos) << r.output;

        r = Mksetup("extract " + archive + " -o " + Quoted(dir / "wrong"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.output.find("File locked -- valid key required"), std::string::npos) << r.output;
        const std::string right = "right-" + method;
        r = Mksetup("extract " + archive + " --key 4242 -o " + Quoted(dir / right));
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(ScratchDir::Read(dir / (right + "/a.txt")), TextBytes<std::string>(30000, 3)) << method;
        EXPECT_EQ(ScratchDir::Read(dir / (right + "/b.bin")), RandomBytes<std::string>(5000, 11)) << method;
    }
}

TEST(Mksetup, ExtractNeverWritesOutsideItsDirectory)
{
    ScratchDir dir;
    ArchiveBuilder b;
    b.Add("..\\escaped.txt", "evil");
    b.Add("good.txt", "good");
    b.WriteTo(dir / "evil.cmp");
    const Result r = Mksetup("extract " + Quoted(dir / "evil.cmp") + " -o " + Quoted(dir / "out"));
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("escaped.txt"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(ScratchDir::Native(dir / "escaped.txt")));
    EXPECT_EQ(ScratchDir::Read(dir / "out/good.txt"), "good");
}

TEST(Mksetup, ErrorsNameTheFileAndUsageErrorsSayHow)
{
    ScratchDir dir;
    Result r = Mksetup("list " + Quoted(dir / "missing.cmp"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("missing.cmp"), std::string::npos) << r.output;
    r = Mksetup("compress --method zip a b");
    EXPECT_EQ(r.exitCode, 2) << r.output;
    r = Mksetup("--help");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("Exit codes"), std::string::npos) << r.output;
}

}  // namespace
