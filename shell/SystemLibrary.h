#pragma once
// A function of a system DLL that the program does not import, loaded from the system folder only: a DLL of
// that name beside setup.exe, in the download folder, is never looked at. The DLL stays loaded until the
// process ends.
#include <windows.h>

// Nothing when the DLL or the function is not there.
FARPROC SystemProcedure(const wchar_t* library, const char* name);

// The same, as a pointer of the function's own type.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    // Through the one function-pointer type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemProcedure(library, name)));
}
