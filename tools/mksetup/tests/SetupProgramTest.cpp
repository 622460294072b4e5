// Which setup.exe build ships without --setup: the one installed with the running mksetup, wherever it was
// started from; only the binary in the build tree falls back to the build tree's.
#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/ScratchDir.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"

namespace fs = std::filesystem;

namespace {

// A copy of the built mksetup in prefix/bin (or the prefix itself on Windows), as an install puts it.
class InstalledMaker : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string product = dir / "product";
    fs::path program = fs::path(dir / "prefix/bin") / fs::path(MKSETUP_PATH).filename();
    fs::path setup = (program.parent_path() / MKSETUP_SETUP_FROM_PROGRAM).lexically_normal();

    void SetUp() override
    {
        StageSampleProduct(product);
        fs::create_directories(program.parent_path());
        fs::copy_file(MKSETUP_PATH, program);
    }

    Result Build(const std::string& dist) const
    {
        return RunProgram(program.string(), "build " + Quoted(product) + " -o " + Quoted(dist));
    }
};

TEST_F(InstalledMaker, ShipsTheSetupProgramInstalledWithIt)
{
    fs::create_directories(setup.parent_path());
    ScratchDir::Write(setup.string(), "MZ installed setup");
    const Result r = Build(dir / "dist");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(ScratchDir::Read(dir / "dist/setup.exe"), "MZ installed setup");
}

// The build tree's setup.exe may well exist here: a copy outside the tree must not take it.
TEST_F(InstalledMaker, WithoutOneSaysWhereItLookedAndHowToNameOne)
{
    const Result r = Build(dir / "dist");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("no " + setup.string() + ";"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("--setup PATH"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir / "dist"));
}

// Natively the win32 tree may not be built yet: then the message names the build tree's setup.exe too.
TEST(BuildTreeMaker, ShipsTheBuildTreeSetupProgramOrNamesIt)
{
    ScratchDir dir;
    StageSampleProduct(dir / "product");
    const Result r = Mksetup("build " + Quoted(dir / "product") + " -o " + Quoted(dir / "dist"));
    if (fs::is_regular_file(MKSETUP_BUILD_TREE_SETUP)) {
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(ScratchDir::Read(dir / "dist/setup.exe"), ScratchDir::Read(MKSETUP_BUILD_TREE_SETUP));
    } else {
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find(" and " + fs::path(MKSETUP_BUILD_TREE_SETUP).string() + ";"), std::string::npos)
            << r.output;
    }
}

}  // namespace
