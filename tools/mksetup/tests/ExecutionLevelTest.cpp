// build writes the execution level a product's scope needs into every setup.exe it ships: the folder's, and a
// single file's image and the uninstaller it carries; in place, the file's size and layout unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <regex>
#include <vector>

#include "testsupport/ScratchDir.h"
#include "testsupport/payload/ProgramImage.h"
#include "tools/mksetup/PeChecksum.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"
#include "tools/mksetup/tests/SignedSingleFile.h"

namespace fs = std::filesystem;

namespace {

// A program image whose second section holds setup.exe's manifest, as the resource compiler stores it; its
// linker left the checksum out.
std::string ImageWithManifest()
{
    const std::string manifest = ScratchDir::Read(SETUP_MANIFEST_PATH);
    std::string image = ProgramImage::Make().substr(0, 0x400) + manifest;
    ProgramImage::Put(image, ProgramImage::kOptionalAt + 224 + 40 + 16, manifest.size(), 4);
    ProgramImage::Put(image, ProgramImage::kOptionalAt + 64, 0, 4);
    return image;
}

// The level the manifest asks for, read as Windows reads the element; nothing when it is not there.
std::optional<std::string> RequestedLevel(const std::string& program)
{
    static const std::regex element("<requestedExecutionLevel\\s+level=\"([A-Za-z]*)\"\\s+uiAccess=\"false\"/>");
    std::smatch match;
    if (!std::regex_search(program, match, element)) return std::nullopt;
    return match[1].str();
}

// The offsets where shipped differs from original outside the level's text and the checksum field.
std::vector<std::size_t> OtherChanges(const std::string& original, const std::string& shipped, std::size_t checksumAt)
{
    const std::size_t levelAt = original.find("level=\"requireAdministrator\"");
    std::vector<std::size_t> changes;
    for (std::size_t i = 0; i < std::min(original.size(), shipped.size()); ++i) {
        const bool allowed = (i >= levelAt && i < levelAt + 28) || (i >= checksumAt && i < checksumAt + 4);
        if (!allowed && shipped[i] != original[i]) changes.push_back(i);
    }
    return changes;
}

std::uint32_t ChecksumField(const std::string& program, std::size_t at)
{
    return static_cast<std::uint32_t>(GetLe(reinterpret_cast<const unsigned char*>(program.data()) + at, 4));
}

class MksetupExecutionLevel : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string product = dir.Path() + "product";

    void SetUp() override
    {
        StageSampleProduct(product);
        ScratchDir::Write(product + "/finstall.cfg", "Installation Directory,docs,docs\\readme.txt\r\n");
    }

    void SetScope(const std::string& line)
    {
        ScratchDir::Write(product + "/install.cfg", "[Setup Screen]\nText Line 1=Northwind Notes\n" + line + "\n");
    }

    Result Build(const std::string& setup, const std::string& name, const std::string& options)
    {
        return Mksetup("build " + Quoted(product) + " -o " + Quoted(dir.Path() + name) + " --setup " + Quoted(setup) +
                       " " + options);
    }

    // Every setup.exe a build ships, cut to the setup program's size: the folder's, the single file's image and
    // the one it carries.
    std::vector<std::string> ShippedPrograms(const std::string& name, std::size_t size)
    {
        const std::string single = dir.Path() + name + "-single/setup.exe";
        std::vector<std::string> programs{ScratchDir::Read(dir.Path() + name + "/setup.exe"),
                                          ScratchDir::Read(single).substr(0, size)};
        if (const std::optional<std::string> carried = CarriedProgramOf(single)) programs.push_back(*carried);
        EXPECT_EQ(programs.size(), 3u) << "the single file carries setup.exe";
        return programs;
    }
};

TEST_F(MksetupExecutionLevel, EveryShippedSetupExeAsksForTheLevelOfTheScope)
{
    std::vector<std::string> inputs{dir.Path() + "image.exe"};
    ScratchDir::Write(inputs[0], ImageWithManifest());
    // The linker's setup.exe, where this build tree has it: its checksum is filled in, and the real manifest
    // must hold the level once.
    if (fs::is_regular_file(MKSETUP_BUILD_TREE_SETUP)) inputs.push_back(MKSETUP_BUILD_TREE_SETUP);
    const struct {
        const char* line;
        const char* level;
    } scopes[] = {
        {"Install Scope=user", "asInvoker"},
        {"Install Scope=Ask", "asInvoker"},
        {"Install Scope=machine", "requireAdministrator"},
        {"", "requireAdministrator"},
    };
    for (const std::string& input : inputs) {
        const std::string original = ScratchDir::Read(input);
        const std::optional<std::size_t> checksumAt = PeChecksumOffset(original);
        ASSERT_TRUE(checksumAt.has_value()) << input;
        const std::uint32_t linkerChecksum = ChecksumField(original, *checksumAt);
        if (linkerChecksum != 0) {
            EXPECT_EQ(PeChecksum(original, *checksumAt), linkerChecksum) << "summed as the linker sums";
        }
        for (const auto& s : scopes) {
            SetScope(s.line);
            const std::string name = "dist-" + std::to_string(&s - scopes) + "-" + std::to_string(input.size());
            ASSERT_EQ(Build(input, name, "").exitCode, 0) << s.line;
            const Result single = Build(input, name + "-single", "--single-file");
            ASSERT_EQ(single.exitCode, 0) << s.line << single.output;
            for (const std::string& shipped : ShippedPrograms(name, original.size())) {
                EXPECT_EQ(shipped.size(), original.size()) << s.line;
                EXPECT_EQ(RequestedLevel(shipped), s.level) << s.line;
                EXPECT_EQ(ChecksumField(shipped, *checksumAt),
                          linkerChecksum == 0 ? 0 : PeChecksum(shipped, *checksumAt))
                    << s.line;
                EXPECT_EQ(OtherChanges(original, shipped, *checksumAt), std::vector<std::size_t>{}) << s.line;
            }
        }
    }
}

// A program whose manifest does not ask for an administrator exactly once is not the setup program this
// mksetup knows; guessing where its level lies could break it.
TEST_F(MksetupExecutionLevel, ASetupProgramWithoutTheExpectedManifestIsRefused)
{
    const std::string image = ImageWithManifest();
    const struct {
        std::string bytes, message;
    } programs[] = {
        {"MZ setup", "holds no manifest asking for an administrator"},
        {image + image.substr(0x400), "holds level=\"requireAdministrator\" more than once"},
    };
    SetScope("Install Scope=user");
    for (const auto& p : programs) {
        const std::string setup = dir.Path() + "odd.exe";
        ScratchDir::Write(setup, p.bytes);
        const Result r = Build(setup, "dist", "");
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find(setup + " " + p.message), std::string::npos) << r.output;
        EXPECT_FALSE(fs::exists(dir.Path() + "dist"));
    }
}

}  // namespace
