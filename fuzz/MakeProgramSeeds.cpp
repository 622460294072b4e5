// Builds small single-file setup programs with our own payload writer as seeds for the payload reader:
//   OUT_DIR/bare.exe      a program image that carries nothing;
//   OUT_DIR/single.exe    the image and a payload of four members, one of them empty;
//   OUT_DIR/symbols.exe   the same after an image that ends in a COFF symbol table;
//   OUT_DIR/signed.exe    single.exe with a signature after the payload.
// Usage: MakeProgramSeeds OUT_DIR
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/SeedFiles.h"
#include "payload/CarriedProgram.h"
#include "payload/PayloadWriter.h"
#include "testsupport/payload/ProgramImage.h"

namespace fs = std::filesystem;

namespace {

using seeds::ReadAll;
using seeds::WriteAll;

// The members are kept small: the seeds' size bounds the units the fuzzer makes.
// The carried setup.exe is the stub with a signature, as its difference from the stub.
std::vector<TPayloadMember> PlantMembers(const fs::path& work)
{
    WriteAll(work / "carried.exe", ReadAll(work / "stub.exe") + "a signature");
    const std::vector<unsigned char> carried =
        ProgramDifference((work / "stub.exe").string(), (work / "carried.exe").string());
    const std::vector<std::pair<std::string, std::string>> members{{"install.cfg", "[Setup Screen]\r\nTitle=T\r\n"},
                                                                   {"finstall.cfg", "readme.txt,<INSTALLDIR>\r\n"},
                                                                   {"setup.exe", {carried.begin(), carried.end()}},
                                                                   {"disk.001", ""}};
    std::vector<TPayloadMember> list;
    for (const auto& [name, bytes] : members) {
        WriteAll(work / name, bytes);
        list.push_back({name, (work / name).string()});
    }
    return list;
}

std::string SingleFile(const fs::path& work, const std::string& image)
{
    WriteAll(work / "stub.exe", image);
    WriteSingleFile((work / "stub.exe").string(), PlantMembers(work), (work / "single.exe").string());
    return ReadAll(work / "single.exe");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeProgramSeeds OUT_DIR\n");
        return 2;
    }
    const fs::path out(argv[1]);
    const fs::path work = out / "work";
    try {
        fs::remove_all(work);
        WriteAll(out / "bare.exe", ProgramImage::Make());
        std::string single = SingleFile(work, ProgramImage::Make());
        WriteAll(out / "single.exe", single);
        WriteAll(out / "symbols.exe", SingleFile(work, ProgramImage::Make(true)));
        ProgramImage::Sign(single, std::string(24, 'C'));
        WriteAll(out / "signed.exe", single);
        fs::remove_all(work);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MakeProgramSeeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
