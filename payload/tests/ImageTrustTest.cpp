// The run's own file held against the image that runs: what makes it another program, and when its signature
// is asked for.
#include <gtest/gtest.h>

#include <string>

#include "payload/ImageTrust.h"
#include "port/MemoryStream.h"
#include "testsupport/payload/ProgramImage.h"

namespace {

TImageIdentity IdentityOf(const std::string& bytes)
{
    MemoryStream stream(std::vector<unsigned char>(bytes.begin(), bytes.end()));
    return ReadPeLayout(stream, "setup.exe").Identity;
}

// The first 0x200 bytes: the headers as the loader maps them, without the sections' data.
TImageIdentity IdentityOfHeaders(const std::string& bytes)
{
    MemoryStream stream(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 0x200));
    return ReadImageIdentity(stream, "the running image");
}

TEST(ImageTrust, TheFileMustBeTheRunningImageAndASignedOneMustVerify)
{
    const std::string image = ProgramImage::Make();
    std::string relocated = image;  // the loader notes where it placed the image
    ProgramImage::Put(relocated, ProgramImage::kOptionalAt + 28, 0x10000000, 4);
    std::string rebuilt = image;  // another build of the program: its time stamp
    ProgramImage::Put(rebuilt, ProgramImage::kPeAt + 8, 0x5F000000, 4);
    std::string patched = image;  // a section moved
    ProgramImage::Put(patched, ProgramImage::kOptionalAt + 224 + 20, 0x280, 4);
    std::string signedImage = image;
    ProgramImage::Sign(signedImage, std::string(24, 'C'));
    std::string resigned = image;  // the same program signed again by someone else, with a longer signature
    ProgramImage::Sign(resigned, std::string(32, 'D'));

    struct Row {
        const char* Case;
        const std::string& Running;
        const std::string& File;
        const char* SignatureAnswer;
        const char* Expected;  // a part of the problem, or "" for none
        bool Asked;
    };
    const Row rows[] = {
        {"the same unsigned program", image, image, "", "", false},
        {"moved by the loader", relocated, image, "", "", false},
        {"another build", image, rebuilt, "", "setup.exe was changed after it was started", false},
        {"a section moved", image, patched, "", "was changed", false},
        {"the signature stripped", signedImage, image, "", "was changed", false},
        {"signed by someone else", signedImage, resigned, "", "was changed", false},
        {"signed, and it verifies", signedImage, signedImage, "", "", true},
        {"signed, and the payload was changed", signedImage, signedImage, "the digest differs",
         "The signature of setup.exe does not verify: the digest differs", true},
        {"a signature added", image, signedImage, "", "was changed", false},
    };
    for (const Row& row : rows) {
        bool asked = false;
        const std::string problem =
            ImageTrustProblem(IdentityOfHeaders(row.Running), IdentityOf(row.File), "setup.exe", [&] {
                asked = true;
                return std::string(row.SignatureAnswer);
            });
        if (*row.Expected == '\0')
            EXPECT_EQ(problem, "") << row.Case;
        else
            EXPECT_NE(problem.find(row.Expected), std::string::npos) << row.Case << ": " << problem;
        EXPECT_EQ(asked, row.Asked) << row.Case;
    }
}

}  // namespace
