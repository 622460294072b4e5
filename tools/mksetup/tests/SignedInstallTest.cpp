// A signed single setup.exe, built by the maker and installed silently under Wine with the win32 build's
// setup.exe: the uninstaller the installation leaves is the program the single file carries, byte for byte,
// and its signature holds. The single file carries it as its difference from its own image.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "testsupport/ScratchDir.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"
#include "tools/mksetup/tests/SignedSingleFile.h"

namespace fs = std::filesystem;

namespace {

TEST(SignedSingleFile, TheInstalledUninstallerIsTheCarriedProgramAndItsSignatureHolds)
{
    ScratchDir dir;
    const TestSigner signer(dir.Path());
    const Result made = signer.Make();
    ASSERT_EQ(made.exitCode, 0) << made.output;
    StageSampleProduct(dir.Path() + "product");
    const std::string single = dir.Path() + "single/";
    const Result built = Mksetup("build " + Quoted(dir.Path() + "product") + " -o " + Quoted(single) + " --setup " +
                                 Quoted(SETUP_EXE) + " --single-file " + signer.Options());
    ASSERT_EQ(built.exitCode, 0) << built.output;
    const std::optional<std::string> carried = CarriedProgramOf(single + "setup.exe");
    ASSERT_TRUE(carried.has_value());
    EXPECT_LT(fs::file_size(single + "setup.exe"), fs::file_size(SETUP_EXE) * 11 / 10)
        << "the program travels once, and its difference";

    // A prefix of the test's own; setup.exe is started from its folder, as from a download.
    setenv("SETUP_WINE_DIR", (dir.Path() + "wine").c_str(), 1);
    const fs::path started = fs::current_path();
    fs::current_path(single);
    const Result installed = RunProgram(WINE_RUN, "setup.exe /S /D=C:\\\\Signed\\ Notes");
    fs::current_path(started);
    RunProgram(WINE_RUN, "--shutdown");
    ASSERT_EQ(installed.exitCode, 0) << installed.output;
    const std::string uninstaller = dir.Path() + "wine/prefix/drive_c/Signed Notes/setup.exe";
    EXPECT_TRUE(ScratchDir::Read(uninstaller) == *carried) << "the installed uninstaller is the carried program";
    const Result verified = signer.Verify(uninstaller);
    EXPECT_EQ(verified.exitCode, 0) << verified.output;
}

}  // namespace
