#pragma once
// A program started to be driven from outside: its process, its visible top-level windows and its end.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DrivenProcess {
public:
    // Starts commandLine (the program in double quotes where its path may hold blanks) in directory;
    // throws Exception naming the command line when the system refuses. beforeRun, when given, is called with
    // the process's id before its first instruction runs.
    DrivenProcess(const std::string& commandLine, const std::string& directory,
                  const std::function<void(DWORD processId)>& beforeRun = nullptr);
    // A program still running is terminated: a driver never leaves one behind.
    ~DrivenProcess();
    DrivenProcess(const DrivenProcess&) = delete;
    DrivenProcess& operator=(const DrivenProcess&) = delete;

    bool Running() const;
    // The exit code, or STILL_ACTIVE when the program has not ended within timeoutMs.
    DWORD WaitForExit(DWORD timeoutMs) const;
    void Terminate();
    HANDLE Handle() const { return process_.hProcess; }
    // Its visible top-level windows, topmost first.
    std::vector<HWND> VisibleWindows() const;

private:
    PROCESS_INFORMATION process_{};
};
