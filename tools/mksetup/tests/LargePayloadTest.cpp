// A payload past what one archive can describe: mksetup builds it into several archives of one set,
// and list, verify and extract read every one of them. Sparse files keep it cheap on disk and
// run-length coding keeps the disks small; it still moves gigabytes, so it is labelled "large":
// ctest -L large runs it alone, ctest -LE large leaves it out.
#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/ScratchDir.h"
#include "testsupport/SparseFiles.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kBigSize = 1200000000;  // two of them pass 2,147,483,647

TEST(MksetupLargePayload, APayloadPastOneArchiveBuildsIntoSeveralThatVerifyAndExtract)
{
    ScratchDir dir;
    const std::string product = dir.Path() + "product";
    const std::string dist = dir.Path() + "dist";
    StageSampleProduct(product);
    ScratchDir::Write(dir.Path() + "setup.exe", "MZ setup");
    WriteSparseFile(product + "/big-1.bin", kBigSize, "end of one");
    WriteSparseFile(product + "/big-2.bin", kBigSize, "end of two");
    ScratchDir::Write(product + "/finstall.cfg", ScratchDir::Read(product + "/finstall.cfg") +
                                                     "Installation Directory,big-1.bin\r\nInstallation Directory,big-2.bin\r\n");

    const Result built = Mksetup("build " + Quoted(product) + " -o " + Quoted(dist) + " --setup " +
                                 Quoted(dir.Path() + "setup.exe") + " --method rle");
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_NE(built.output.find("14 files, 2400"), std::string::npos) << "more than 2,147,483,647 bytes in: " << built.output;

    const Result listed = Mksetup("list " + Quoted(dist));
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find(": 2 archives, 14 files"), std::string::npos) << listed.output;
    const Result verified = Mksetup("verify " + Quoted(dist));
    ASSERT_EQ(verified.exitCode, 0) << verified.output;
    EXPECT_NE(verified.output.find("14 files, every checksum good"), std::string::npos) << verified.output;

    const std::string out = dir.Path() + "out";
    const Result extracted = Mksetup("extract " + Quoted(dist) + " -o " + Quoted(out));
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output;
    for (const auto& [name, marker] : {std::pair{"big-1.bin", "end of one"}, std::pair{"big-2.bin", "end of two"}}) {
        EXPECT_EQ(fs::file_size(out + "/" + name), kBigSize) << name;
        EXPECT_EQ(TailOf(out + "/" + name, 10), marker) << name;
    }
    EXPECT_EQ(ScratchDir::Read(out + "/readme.txt"), ScratchDir::Read(product + "/docs/readme.txt"));
}

}  // namespace
