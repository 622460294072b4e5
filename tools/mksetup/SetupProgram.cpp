#include "tools/mksetup/SetupProgram.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "port/Exception.h"
#include "port/FileSystem.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// Where setup.exe may be, in the order it is preferred. The build-tree copy only counts for the binary in
// the build tree: an installed mksetup never picks up a setup.exe of the machine it was built on.
std::vector<fs::path> SetupCandidates(const fs::path& programDir)
{
    std::vector<fs::path> places{(programDir / PathOf(MKSETUP_SETUP_FROM_PROGRAM)).lexically_normal()};
    std::error_code error;
    if (fs::equivalent(programDir, PathOf(MKSETUP_BUILD_TREE_DIR), error))
        places.push_back(PathOf(MKSETUP_BUILD_TREE_SETUP));
    return places;
}

}  // namespace

std::string DefaultSetupProgram()
{
    const std::vector<fs::path> places = SetupCandidates(PathOf(port::ProgramFile()).parent_path());
    std::string looked;
    for (const fs::path& place : places) {
        std::error_code error;
        if (fs::is_regular_file(place, error)) return NameOf(place);
        looked += (looked.empty() ? "" : " and ") + NameOf(place);
    }
    throw Exception("no setup program to ship: there is no " + looked + "; name one with --setup PATH");
}
