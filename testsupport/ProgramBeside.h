#pragma once
// A helper program that the build puts beside the running test program, by its file name.
#include <windows.h>

#include <string>

inline std::string ProgramBesideThisOne(const std::string& name)
{
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}
