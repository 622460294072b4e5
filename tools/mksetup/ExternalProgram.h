#pragma once
// Running another program by name from PATH, its output gathered: osslsigncode for signing.
#include <string>
#include <vector>

// The program's path when a file of that name is on PATH (".exe" added on Windows); empty otherwise.
std::string FindOnPath(const std::string& name);

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Runs arguments[0] (a path) with the rest as its arguments, each passed as one argument whatever it holds.
ProgramRun RunProgram(const std::vector<std::string>& arguments);
