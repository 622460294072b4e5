#include "DrivenProcess.h"

#include "port/Exception.h"

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM search)
{
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted->processId && IsWindowVisible(window) != FALSE) wanted->found.push_back(window);
    return TRUE;
}

}  // namespace

DrivenProcess::DrivenProcess(const std::string& commandLine, const std::string& directory,
                             const std::function<void(DWORD processId)>& beforeRun)
{
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, beforeRun ? CREATE_SUSPENDED : 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &process_) == FALSE)
        throw Exception("Cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
    if (!beforeRun) return;
    beforeRun(process_.dwProcessId);
    ResumeThread(process_.hThread);
}

DrivenProcess::~DrivenProcess()
{
    Terminate();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool DrivenProcess::Running() const
{
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD DrivenProcess::WaitForExit(DWORD timeoutMs) const
{
    WaitForSingleObject(process_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void DrivenProcess::Terminate()
{
    if (!Running()) return;
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 10000);
}

std::vector<HWND> DrivenProcess::VisibleWindows() const
{
    WindowSearch search{process_.dwProcessId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
