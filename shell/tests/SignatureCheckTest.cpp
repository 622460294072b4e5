// A signature is verified through the handle the caller holds, and only an intact one passes.
#include "shell/SignatureCheck.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "port/FileStream.h"
#include "testsupport/ProgramBeside.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string ProblemOf(const std::string& path)
{
    const FileStream file(path, FileMode::OpenRead);
    return SignatureProblem(file.SystemHandle(), path);
}

TEST(SignatureCheck, OnlyAnIntactSignatureVerifiesAndTheHeldFileIsWhatIsRead)
{
    ScratchDir scratch;
    const std::string changed = scratch / "changed.exe";
    ASSERT_TRUE(CopyFileA(SIGNED_SAMPLE, changed.c_str(), FALSE));
    {
        FileStream file(changed, FileMode::OpenReadWrite);
        file.Seek(0x600, SeekOrigin::Begin);  // inside the program's code, which the signature covers
        const char byte = '\xCC';
        file.WriteBuffer(&byte, 1);
    }

    EXPECT_EQ(ProblemOf(SIGNED_SAMPLE), "");
    EXPECT_NE(ProblemOf(changed), "") << "a changed byte breaks the signature";
    EXPECT_NE(ProblemOf(ProgramBesideThisOne("run_helper.exe")), "") << "no signature, no origin";

    // While the genuine file is held, nobody can delete it or put another in its place.
    const std::string held = scratch / "held.exe";
    ASSERT_TRUE(CopyFileA(SIGNED_SAMPLE, held.c_str(), FALSE));
    const FileStream file(held, FileMode::OpenRead);
    EXPECT_FALSE(DeleteFileA(held.c_str())) << "others may not delete or replace the held file";
    EXPECT_EQ(SignatureProblem(file.SystemHandle(), held), "");
}

}  // namespace
