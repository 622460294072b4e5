// Linked into the journeys' own setup.exe (setup_kill_at_step.exe), never into the shipped one: with
// SETUP_TEST_LIMITED=1 in its environment the process answers that it has no administrator's rights, as a standard
// user's run on Windows would, where Wine gives every program them. It takes the variable out of its environment,
// so the run it starts again "as administrator" has them.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "shell/Elevation.h"

namespace {

const bool kLimited = [] {
    const char* limited = std::getenv("SETUP_TEST_LIMITED");
    if (limited == nullptr || std::string(limited) != "1") return false;
    SetEnvironmentVariableA("SETUP_TEST_LIMITED", nullptr);
    SetElevationSeam([] { return false; });
    return true;
}();

}  // namespace
