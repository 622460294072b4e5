#pragma once
// What mksetup's exit code tells a script.
enum ExitCode {
    kExitOk = 0,
    kExitError = 1,       // the work failed; the message says why and names the file
    kExitUsage = 2,       // the command line is wrong
    kExitNotSmaller = 3,  // compress: the coded form would not be smaller than the input
};
