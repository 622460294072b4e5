#pragma once
// Whether this process runs with an administrator's full rights, and running this program again with them.
#include <functional>
#include <optional>
#include <string>

bool RunsElevated();

// For the journeys' own build of setup.exe only: what RunsElevated answers instead, while set.
void SetElevationSeam(std::function<bool()> seam);

// This program started again with an administrator's rights, Windows asking the user, with parameters as its
// command line after its name, in the current directory; waits for it to end. Its exit code, or nothing when it did not
// start (the user declined). The caller holds its own file against writes, renames and deletes (bootstrap/OwnProgram.h)
// until then, so the program started is the one running; the new run trusts nothing of this one but its command line,
// which it checks as any other.
std::optional<unsigned long> RunElevated(const std::string& parameters);
