#pragma once
// DLLs of the system folder loaded at run time, and their functions in their own types.
#include <windows.h>

// From the system folder only (or the side-by-side assembly the manifest names), never from beside the program.
inline HMODULE LoadSystemDll(const wchar_t* name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The system hands out every function as a FARPROC; through void (*)() it becomes one of any other type without a
// warning.
template <typename Function>
bool ResolveFunction(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}
