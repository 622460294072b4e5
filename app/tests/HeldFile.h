#pragma once
// A file held open with no sharing by another process (hold_file.exe beside the test program) for as
// long as the object lives.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "config/TextFields.h"

class HeldFile {
public:
    explicit HeldFile(const std::string& path)
    {
        const std::string name = "setup-tests-hold-" + std::to_string(GetCurrentProcessId());
        held_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".held").c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".release").c_str());
        std::string command = "\"" + HelperPath() + "\" \"" + path + "\" " + name;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            ADD_FAILURE() << "cannot start " << command;
            return;
        }
        EXPECT_EQ(WaitForSingleObject(held_, 30000), WAIT_OBJECT_0) << "hold_file did not open " << path;
    }
    ~HeldFile()
    {
        SetEvent(release_);
        if (process_.hProcess != nullptr) {
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(held_);
        CloseHandle(release_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    static std::string HelperPath()
    {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return DirectoryPart(std::string(path, length)) + "hold_file.exe";
    }

    HANDLE held_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
};
