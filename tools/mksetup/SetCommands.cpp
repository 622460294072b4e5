#include "tools/mksetup/SetCommands.h"

#include <filesystem>
#include <iostream>

#include "tools/mksetup/ExitCodes.h"
#include "tools/mksetup/Methods.h"
#include "tools/mksetup/ScratchArea.h"

namespace fs = std::filesystem;

namespace {

// The reader's scratch files go to the system's temporary folder, never into the set or the output.
ScratchArea TemporaryArea() { return ScratchArea(fs::temp_directory_path() / "mksetup"); }

std::string Described(const SegmentSetPlace& place) { return place.dir + place.base + ".001"; }

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

int VerifySegmentSet(const SegmentSetPlace& place, std::int32_t key)
{
    const ScratchArea area = TemporaryArea();
    const SetContents set = ExpandSet(place, area.Dir("files"), area.Dir("tmp"), key);
    if (set.refused > 0) return kExitError;
    if (!AllExpanded(Described(place), set.listed, set.written.size())) return kExitError;
    std::cout << Described(place) << ": " << set.written.size() << " files, every checksum good\n";
    return kExitOk;
}

int ExtractSegmentSet(const SegmentSetPlace& place, const std::string& directory, std::int32_t key)
{
    fs::create_directories(directory);
    const std::string out = (fs::absolute(directory) / "").string();
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
