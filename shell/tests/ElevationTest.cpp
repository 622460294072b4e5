// This program started again "as administrator": the first run waits for the second and gets its exit code, as a
// silent run hands back the code of the run that did the work.
#include "shell/Elevation.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RunElevated, WaitsForTheNewRunAndGivesItsExitCode)
{
    EXPECT_EQ(RunElevated("--gtest_also_run_disabled_tests --gtest_filter=RunElevated.DISABLED_EndsWithExitCode7"),
              std::optional<unsigned long>(7));
    EXPECT_TRUE(RunsElevated()) << "Wine runs every program with an administrator's rights";
}

TEST(RunElevated, DISABLED_EndsWithExitCode7)
{
    std::exit(7);
}

}  // namespace
