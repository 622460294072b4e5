#pragma once
// The built setup.exe started as its own process, and its windows found and read the way any other program
// can: by title, by control ID, and with WM_GETTEXT through SendMessage.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SetupProcess {
public:
    SetupProcess(const std::string& arguments, const std::string& directory)
    {
        std::string commandLine = "\"" + std::string(SETUP_EXE) + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                                  &startup, &process_) != FALSE;
    }
    ~SetupProcess()
    {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    bool Started() const { return started_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    // The program's visible top-level window with this title, once it is there.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 20000)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            found_ = nullptr;
            title_ = title;
            EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(this));
            if (found_ != nullptr) return found_;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // The exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 15000)
    {
        WaitForSingleObject(process_.hProcess, timeoutMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    static HWND Control(HWND window, int id)
    {
        std::pair<int, HWND> search{id, nullptr};
        EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    static std::string Text(HWND window)
    {
        char buffer[1024] = {};
        const auto length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
    }

private:
    static BOOL CALLBACK MatchTopLevel(HWND window, LPARAM self)
    {
        auto* process = reinterpret_cast<SetupProcess*>(self);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process->process_.dwProcessId || IsWindowVisible(window) == FALSE) return TRUE;
        if (Text(window) != process->title_) return TRUE;
        process->found_ = window;
        return FALSE;
    }

    static BOOL CALLBACK MatchId(HWND window, LPARAM search)
    {
        auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(search);
        if (GetDlgCtrlID(window) != wanted->first) return TRUE;
        wanted->second = window;
        return FALSE;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND found_ = nullptr;
    std::string title_;
};
