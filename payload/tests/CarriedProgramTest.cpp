#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "payload/CarriedProgram.h"
#include "payload/PayloadError.h"
#include "payload/PayloadWriter.h"
#include "port/FileStream.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/payload/ProgramImage.h"

namespace {

constexpr std::size_t kCheckSum = ProgramImage::kOptionalAt + 64;

class CarriedProgram : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string stub = dir / "stub.exe";
    std::string carried = dir / "carried.exe";
    std::string single = dir / "setup.exe";

    // The single file made from the stub, carrying the program as its difference; signed afterwards when asked.
    std::size_t MakeSingleFile(const std::string& program, bool signCarrier)
    {
        ScratchDir::Write(carried, program);
        const std::vector<unsigned char> difference = ProgramDifference(stub, carried);
        ScratchDir::Write(dir / "setup.dif", std::string(difference.begin(), difference.end()));
        WriteSingleFile(stub, {{"setup.exe", dir / "setup.dif"}}, single);
        if (signCarrier) {
            std::string bytes = ScratchDir::Read(single);
            ProgramImage::Put(bytes, kCheckSum, 0x5A5A5A5A, 4);
            ProgramImage::Sign(bytes, "the whole file's signature");
            ScratchDir::Write(single, bytes);
        }
        return difference.size();
    }

    std::string Rebuilt()
    {
        FileStream file(single, FileMode::OpenRead);
        const std::vector<unsigned char> program =
            RebuildCarriedProgram(file, *LocatePayload(file, single)->Find("setup.exe"), single);
        return {program.begin(), program.end()};
    }
};

// The program as the maker leaves it: the stub itself, or the stub signed (its checksum and security directory
// changed, the signature after it), with or without the carrier signed too.
TEST_F(CarriedProgram, ComesBackByteForByteFromAFewBytesWhateverIsSigned)
{
    const std::string image = ProgramImage::Make(true);
    ScratchDir::Write(stub, image);
    std::string signedProgram = image;
    ProgramImage::Put(signedProgram, kCheckSum, 0x1234, 4);
    ProgramImage::Sign(signedProgram, std::string(3000, 'c'));
    struct Case {
        const char* what;
        std::string program;
        bool signCarrier;
        std::size_t largest;  // the difference's size at most
    };
    for (const Case& c :
         {Case{"the stub as it is", image, false, 60}, Case{"the stub signed", signedProgram, true, 3100},
          Case{"signed, in an unsigned carrier", signedProgram, false, 3100},
          Case{"unsigned, in a signed carrier", image, true, 60},
          Case{"shorter than the image", image.substr(0, 0x500), false, 60}}) {
        SCOPED_TRACE(c.what);
        EXPECT_LE(MakeSingleFile(c.program, c.signCarrier), c.largest);
        EXPECT_EQ(Rebuilt(), c.program);
    }
}

TEST_F(CarriedProgram, ADamagedDifferenceIsRefusedNamingTheFile)
{
    const std::string image = ProgramImage::Make();
    ScratchDir::Write(stub, image);
    std::string program = image;
    program[0x300] ^= 0x55;  // one piece inside the image besides the signing fields
    program += "tail";
    MakeSingleFile(program, false);
    const std::string good = ScratchDir::Read(single);
    const std::size_t difference = good.find("SETUPPL1") + 32 + 32;
    const std::vector<std::pair<const char*, std::function<void(std::string&)>>> edits{
        {"a size past the image and its pieces", [&](std::string& b) { ProgramImage::Put(b, difference, 1 << 30, 8); }},
        {"more pieces than it holds", [&](std::string& b) { ProgramImage::Put(b, difference + 12, 99, 4); }},
        {"fewer pieces than it holds", [&](std::string& b) { ProgramImage::Put(b, difference + 12, 1, 4); }},
        {"a piece past the program", [&](std::string& b) { ProgramImage::Put(b, difference + 16, ~0ULL - 2, 8); }},
        {"a piece longer than the difference",
         [&](std::string& b) { ProgramImage::Put(b, difference + 24, 1 << 20, 4); }},
        {"a changed byte", [&](std::string& b) { b[b.size() - 2] ^= 0x01; }},
    };
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        std::string bytes = good;
        edit(bytes);
        ScratchDir::Write(single, bytes);
        try {
            Rebuilt();
            ADD_FAILURE() << "a damaged difference was taken";
        } catch (const EPayloadError& error) {
            EXPECT_NE(std::string(error.what()).find(single), std::string::npos) << error.what();
        }
    }
}

}  // namespace
