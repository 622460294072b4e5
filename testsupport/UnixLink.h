#pragma once
// Symbolic links made on the Unix side of Wine, which shows a link to a folder to Windows programs as a
// reparse point (attribute 0x410) and a link to a file as the file. Wine cannot make junctions, and its own
// CreateSymbolicLink makes nothing; a Unix program started from a Windows one can.
#include <windows.h>

#include <string>

#include <vector>

#include "port/win32/WideText.h"
#include "testsupport/HangCeiling.h"

namespace unixlink {

// The Unix path of a Windows path, as Wine maps it; "" outside Wine.
inline std::string UnixPathOf(const std::string& path)
{
    using TUnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return "";
    std::string bare = path;
    while (bare.size() > 3 && bare.back() == '\\') bare.pop_back();
    char* name = unixName(port::Widened(bare).c_str());
    if (name == nullptr) return "";
    std::string unix = name;
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

// A word for the shell, quoted whatever it holds.
inline std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs /bin/sh on the script and waits for it to end. Wine hands back a process that has ended at once, so the
// script's last command leaves a mark, which is waited for instead (up to the hang ceiling).
inline void RunScript(const std::string& script)
{
    char temp[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "sh", 0, file);
    const std::string done = std::string(file) + ".done";
    const std::string whole = script + "touch " + Quoted(UnixPathOf(done)) + "\n";
    const HANDLE out = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
    CloseHandle(out);
    std::string command = "sh \"" + UnixPathOf(file) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        Eventually([&done] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
    }
    DeleteFileA(done.c_str());
    DeleteFileA(file);
}

}  // namespace unixlink

// Makes each of links (Windows paths that must not exist) a symbolic link to target (a Windows path), in one
// Unix process; true when all of them are there afterwards.
inline bool MakeUnixLinks(const std::string& target, const std::vector<std::string>& links)
{
    const std::string to = unixlink::UnixPathOf(target);
    if (to.empty()) return false;
    std::string script;
    for (const std::string& link : links)
        script += "ln -s " + unixlink::Quoted(to) + " " + unixlink::Quoted(unixlink::UnixPathOf(link)) + "\n";
    unixlink::RunScript(script);
    for (const std::string& link : links)
        if (GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return true;
}

inline bool MakeUnixLink(const std::string& target, const std::string& link)
{
    return MakeUnixLinks(target, {link});
}

// Removes the links themselves, never what they lead to (Wine's DeleteFile and RemoveDirectory would act on the
// target).
inline void RemoveUnixLinks(const std::vector<std::string>& links)
{
    std::string script;
    for (const std::string& link : links) script += "rm -f " + unixlink::Quoted(unixlink::UnixPathOf(link)) + "\n";
    unixlink::RunScript(script);
}
