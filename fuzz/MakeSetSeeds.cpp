// Builds segment sets with our own set writer as seeds for the set readers:
//   OUT_DIR/sets/<method>.001   a set that fits one segment, one per method;
//   OUT_DIR/spans/<method>      a set over several smallest segments, the segment files end to end.
// Usage: MakeSetSeeds OUT_DIR TEXT_FILE (the text is most of the payload).
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/SeedFiles.h"
#include "segment/SegCompEZ.h"
#include "segment/SegNaming.h"

namespace fs = std::filesystem;

namespace {

using seeds::ReadAll;
using seeds::WriteAll;

// A small tree: the text, a run, an empty file and one in a subdirectory.
void PlantSources(const fs::path& src, const std::string& text)
{
    WriteAll(src / "readme.txt", text);
    WriteAll(src / "runs.bin", std::string(3000, 'r') + std::string(200, '\x94'));
    WriteAll(src / "empty.dat", "");
    WriteAll(src / "sub" / "deep.txt", "deep");
}

// The segment files of the set in dir, end to end.
std::string Concatenated(const fs::path& dir)
{
    std::string all;
    for (std::uint32_t n = 1; fs::exists(dir / SegFileNameFor("disk", "", n)); ++n)
        all += ReadAll(dir / SegFileNameFor("disk", "", n));
    return all;
}

std::string BuildSet(const fs::path& work, TCompressionMethod method, std::int32_t segSize)
{
    const fs::path segs = work / "segs";
    fs::remove_all(segs);
    TSegCompEZ c;
    c.SegPopUp = false;
    c.SetSegBaseName("disk");
    c.SetSegDir(segs.string() + "/");
    c.SetSegTmpDir((work / "tmp").string());
    c.SegCompType = method;
    c.SegSource = {(work / "src").string() + "\\*.*"};
    c.SetSegSize(segSize);
    c.SegBuild();
    return Concatenated(segs);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeSetSeeds OUT_DIR TEXT_FILE\n");
        return 2;
    }
    const fs::path out(argv[1]);
    const fs::path work = out / "work";
    try {
        fs::remove_all(work);
        PlantSources(work / "src", ReadAll(argv[2]));
        for (const TCompressionMethod method : {coNone, coRLE, coLZH, coLZH5}) {
            const std::string name = kMethodIds[method];
            WriteAll(out / "sets" / (name + ".001"), BuildSet(work, method, TSegCompress::kMinSegSize * 8));
        }
        // Stored and run-length coded, the text fills more than one smallest segment.
        for (const TCompressionMethod method : {coNone, coRLE})
            WriteAll(out / "spans" / kMethodIds[method], BuildSet(work, method, TSegCompress::kMinSegSize));
        fs::remove_all(work);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MakeSetSeeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
