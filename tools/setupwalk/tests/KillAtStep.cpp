// Linked into setup_kill_at_step.exe, the journeys' setup.exe that can be killed on cue, and never into the shipped
// setup.exe: with SETUP_TEST_KILL_AT_STEP=N in its environment, the process ends itself (exit code 99) once the
// install journal's line N is written and before the change it announces, as a kill at that moment would.
#include <windows.h>

#include <cstdlib>

#include "app/install/InstallJournal.h"

namespace {

constexpr UINT kKilledExitCode = 99;

const bool kKillSet = [] {
    const char* step = std::getenv("SETUP_TEST_KILL_AT_STEP");
    if (step == nullptr) return false;
    const int at = std::atoi(step);
    SetJournalStepSeam([at](int line) {
        if (line == at) TerminateProcess(GetCurrentProcess(), kKilledExitCode);
    });
    return true;
}();

}  // namespace
