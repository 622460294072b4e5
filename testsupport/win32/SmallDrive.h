#pragma once
// The small drive S: (cmake/fault-drive.sh: a 1 MB tmpfs in every prefix of the test run) that the tests of a full
// destination drive fill up. Tests that use it take the CTest fixture small_drive and the lock of the same name.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "testsupport/ScratchDir.h"

inline const std::string kSmallDrive = "S:\\";

// Why S: is not the small drive, or nothing when it is.
inline std::string SmallDriveMissing()
{
    ULARGE_INTEGER total{};
    if (GetDiskFreeSpaceExA(kSmallDrive.c_str(), nullptr, &total, nullptr) && total.QuadPart <= 2 * 1024 * 1024)
        return "";
    const char* wineDir = std::getenv("SETUP_WINE_DIR");
    const std::string refused = ScratchDir::Read(std::string("Z:") + (wineDir ? wineDir : "") + "/small-drive.refused");
    return refused.empty() ? "S: is not a small drive; run the fault tests through ctest, which mounts it" : refused;
}
