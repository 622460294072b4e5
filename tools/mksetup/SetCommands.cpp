#include "tools/mksetup/SetCommands.h"

#include <filesystem>
#include <iostream>

#include "payload/Payload.h"
#include "port/FileStream.h"
#include "tools/mksetup/ExitCodes.h"
#include "tools/mksetup/Methods.h"
#include "tools/mksetup/ScratchArea.h"
#include "tools/mksetup/Signing.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// The reader's scratch files go to the system's temporary folder, never into the set or the output.
ScratchArea TemporaryArea()
{
    return ScratchArea(NameOf(fs::temp_directory_path() / "mksetup"));
}

std::string Described(const SegmentSetPlace& place)
{
    return place.singleFile.empty() ? place.dir + place.base + ".001" : place.singleFile;
}

// A single file's payload must pass its CRC-32, and its signature, when it has one, must match the file.
bool CheckSingleFile(const std::string& program, const std::string& caFile)
{
    {
        FileStream file(program, FileMode::OpenRead);
        const std::optional<TPayload> payload = LocatePayload(file, program);
        if (payload) CheckPayloadCrc(file, *payload, program);
    }
    const std::optional<SignatureReport> signature = CheckSignature(program, caFile);
    if (!signature) {
        std::cout << program << ": not signed\n";
        return true;
    }
    std::cout << program << ": signed by " << (signature->signer.empty() ? "an unnamed signer" : signature->signer);
    if (!signature->intact) {
        std::cout << ", signature NOT valid: the file changed after it was signed\n";
        return false;
    }
    std::cout << ", signature valid";
    if (!signature->trusted)
        std::cout << ", but its certificate is not trusted here (" << signature->problem
                  << "; --ca-file names a root to trust)";
    std::cout << "\n";
    return true;
}

}  // namespace

int ListSegmentSet(const SegmentSetPlace& place, std::int32_t key)
{
    const ScratchArea area = TemporaryArea();
    const SetContents set = ListSet(place, area.Dir("tmp"), key);
    std::size_t files = 0;
    // The scan entries carry the method's ordinal only: a set of a built-in custom method (lzma) lists as custom.
    for (const TSegArc& arc : set.arcs) {
        std::cout << arc.Template << " (" << MethodName(arc.ScanByte, {}) << ", " << arc.Files.size() << " files)\n";
        for (const std::string& name : arc.Files) std::cout << "  " << name << "\n";
        files += arc.Files.size();
    }
    std::cout << Described(place) << ": " << set.arcs.Count() << " archives, " << files << " files\n";
    return kExitOk;
}

int VerifySegmentSet(const SegmentSetPlace& place, std::int32_t key, const std::string& caFile)
{
    if (!place.singleFile.empty() && !CheckSingleFile(place.singleFile, caFile)) return kExitError;
    const ScratchArea area = TemporaryArea();
    const SetContents set = ExpandSet(place, area.Dir("files"), area.Dir("tmp"), key);
    if (set.refused > 0) return kExitError;
    if (!AllExpanded(Described(place), set.listed, set.written.size())) return kExitError;
    std::cout << Described(place) << ": " << set.written.size() << " files, every checksum good\n";
    return kExitOk;
}

int ExtractSegmentSet(const SegmentSetPlace& place, const std::string& directory, std::int32_t key)
{
    fs::create_directories(PathOf(directory));
    const std::string out = NameOf(fs::absolute(PathOf(directory)) / "");
    const ScratchArea area = TemporaryArea();
    const SetContents set = ExpandSet(place, out, area.Dir("tmp"), key);
    for (const std::string& path : set.written) std::cout << path << "\n";
    std::cout << set.written.size() << " files written to " << directory << "\n";
    return set.refused == 0 ? kExitOk : kExitError;
}

bool AllExpanded(const std::string& what, std::size_t listed, std::size_t expanded)
{
    if (expanded >= listed) return true;
    std::cerr << "mksetup: " << what << ": " << expanded << " of the " << listed
              << " files listed were expanded; its archive's total size ends the reading early\n";
    return false;
}
