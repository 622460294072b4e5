#include "tools/mksetup/ExternalProgram.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "port/Exception.h"
#include "tools/mksetup/Utf8Path.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kPathSeparator = ';';
const char* const kProgramSuffix = ".exe";

// cmd.exe's quoting: a file name cannot hold a double quote, and the program receives the text between them.
std::string Quoted(const std::string& argument)
{
    return "\"" + argument + "\"";
}
FILE* OpenPipe(const std::string& command)
{
    return _popen(("\"" + command + "\"").c_str(), "r");
}
int ClosePipe(FILE* pipe)
{
    return _pclose(pipe);
}
#else
constexpr char kPathSeparator = ':';
const char* const kProgramSuffix = "";

// The shell's quoting: everything between single quotes is literal, and a single quote is closed,
// escaped and opened again.
std::string Quoted(const std::string& argument)
{
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
FILE* OpenPipe(const std::string& command)
{
    return popen(command.c_str(), "r");
}
int ClosePipe(FILE* pipe)
{
    const int status = pclose(pipe);
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

std::string FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "";
    for (std::size_t from = 0; from <= dirs.size();) {
        std::size_t to = dirs.find(kPathSeparator, from);
        if (to == std::string::npos) to = dirs.size();
        const std::string dir = dirs.substr(from, to - from);
        std::error_code ignored;
        const fs::path candidate = PathOf(dir.empty() ? "." : dir) / PathOf(name + kProgramSuffix);
        if (fs::is_regular_file(candidate, ignored)) return NameOf(candidate);
        from = to + 1;
    }
    return {};
}

ProgramRun RunProgram(const std::vector<std::string>& arguments)
{
    std::string command;
    for (const std::string& argument : arguments) command += (command.empty() ? "" : " ") + Quoted(argument);
    command += " 2>&1";
    std::fflush(nullptr);
    FILE* pipe = OpenPipe(command);
    if (pipe == nullptr) throw Exception("cannot start " + arguments.at(0));
    ProgramRun run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    run.exitCode = ClosePipe(pipe);
    return run;
}
