#include "shell/Elevation.h"

#include <windows.h>

#include <shellapi.h>

#include <utility>

#include "port/FileSystem.h"
#include "port/win32/WideText.h"

namespace {

// Made on first use: a seam is set while the programs' objects are still being made.
std::function<bool()>& Seam()
{
    static std::function<bool()> seam;
    return seam;
}

}  // namespace

void SetElevationSeam(std::function<bool()> answer)
{
    Seam() = std::move(answer);
}

bool RunsElevated()
{
    if (Seam()) return Seam()();
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                          elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

std::optional<unsigned long> RunElevated(const std::string& parameters)
{
    const std::wstring program = port::Widened(port::ProgramFile());
    const std::wstring arguments = port::Widened(parameters);
    // An elevated program would otherwise start in the system folder; this run's folder is where its files are.
    const std::wstring directory = port::Widened(port::CurrentDir());
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    run.lpVerb = L"runas";
    run.lpFile = program.c_str();
    run.lpParameters = arguments.c_str();
    run.lpDirectory = directory.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run) || run.hProcess == nullptr) return std::nullopt;
    WaitForSingleObject(run.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(run.hProcess, &code);
    CloseHandle(run.hProcess);
    return code;
}
