#pragma once
// A file held open with no sharing by another process (hold_file.exe beside the test program) for as
// long as the object lives.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testsupport/HangCeiling.h"
#include "testsupport/ProgramBeside.h"

class HeldFile {
public:
    explicit HeldFile(const std::string& path)
    {
        const std::string name = "setup-tests-hold-" + std::to_string(GetCurrentProcessId());
        held_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".held").c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".release").c_str());
        std::string command = "\"" + ProgramBesideThisOne("hold_file.exe") + "\" \"" + path + "\" " + name;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            ADD_FAILURE() << "cannot start " << command;
            return;
        }
        EXPECT_EQ(WaitForSingleObject(held_, kHangCeilingMs), WAIT_OBJECT_0) << "hold_file did not open " << path;
    }
    ~HeldFile()
    {
        SetEvent(release_);
        if (process_.hProcess != nullptr) {
            WaitForSingleObject(process_.hProcess, kHangCeilingMs);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(held_);
        CloseHandle(release_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    HANDLE held_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
};
