#include "shell/Processes.h"

#include <shellapi.h>

#include <vector>

#include "config/TextFields.h"

namespace {

const char* TextOrNone(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

int RunAndWait(const std::string& program, const std::string& arguments, int show)
{
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    const std::string commandLine = Concat({"\"", program, "\"", arguments.empty() ? "" : " ", arguments});
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);

    PROCESS_INFORMATION process{};
    const std::string directory = DirectoryPart(program);
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return -1;

    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

HINSTANCE OpenWithShell(HWND owner, const std::string& file, const std::string& params, const std::string& dir,
                        int show)
{
    return ShellExecuteA(owner, nullptr, file.c_str(), TextOrNone(params), TextOrNone(dir), show);
}
