#pragma once
// What the install run could not do as planned: the files it did not install and those that wait for the
// next restart. It is told at the end of the run, in one message, so that "Installation Completed" never
// hides a file that is missing.
#include <string>
#include <vector>

#include "app/install/FilePlacement.h"

struct TSkippedFile {
    std::string Path;
    TPlacement Why;  // plNoSource, plReadOnly, plKeptNewer, plRefused or plInUse
};

struct TInstallOutcome {
    std::vector<TSkippedFile> Skipped;
    std::vector<std::string> AtRestart;  // in use: replaced at the next restart

    // Notes a placement that did not install the file now.
    void Note(const std::string& path, TPlacement placement);
    bool RestartNeeded() const { return !AtRestart.empty(); }
};

// The message naming every file of the outcome, one a line with the reason; "" when all went as planned.
std::string OutcomeMessage(const TInstallOutcome& outcome);

// The log's line for one file: installed, waiting for the restart, or not installed and why.
std::string PlacementLine(const std::string& path, TPlacement placement);
