#pragma once
// setup.exe /S: an install or an uninstall that shows no window and asks nothing, for administrators who
// deploy to many machines. The same engines as an interactive run; the log says what happened.
#include <string>
#include <vector>

#include "app/run/CommandLine.h"
#include "app/run/RunLog.h"

// The exit codes of setup.exe.
enum TExitCode {
    ecInstalled = 0,  // installed, or uninstalled
    ecFailed = 1,     // the log says why
    ecBadCommandLine = 2,
    ecDiskMissing = 3,     // a disk or segment of the set is not there
    ecAlreadyRunning = 4,  // another run of the same product is going on
};

// Installs with the configured defaults: the proposed destination unless the command line names one, the shortcut
// rows as configured, the folder options off, the agreement taken as accepted. The launch programs run; the
// product's own program is not started and Windows is not restarted. A file that is not installed fails the
// run; one that waits for the restart does not.
TExitCode RunSilentInstall(const TCommandLine& line, TRunLog& log);

// Uninstalls the product the command line names (or whose record lies in the current directory). A file "possibly used
// by Windows" is kept; files in use go at the next restart. Without uninstall information, or without its
// record, nothing is removed and the run fails.
TExitCode RunSilentUninstall(const TCommandLine& line, TRunLog& log);
