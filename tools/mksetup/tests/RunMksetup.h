#pragma once
// Runs the built mksetup (or a copy of it) as a user would, capturing what it prints and its exit code.
#include <cstdio>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

struct Result {
    int exitCode;
    std::string output;
};

inline Result RunProgram(const std::string& program, const std::string& arguments)
{
    std::string command = "\"" + program + "\" " + arguments + " 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c strips one outer pair of quotes
    FILE* pipe = _popen(command.c_str(), "r");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (pipe == nullptr) return {-1, "cannot start " + command};
    std::string output;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
#ifdef _WIN32
    const int status = _pclose(pipe);
    return {status, output};
#else
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
#endif
}

inline Result Mksetup(const std::string& arguments) { return RunProgram(MKSETUP_PATH, arguments); }

inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
