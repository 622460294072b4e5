// A DLL planted beside setup.exe under the name of a system DLL. Loaded, it writes a marker beside itself: its own
// file name and ".loaded". The build exports every function of Wine's DLL of that name from it, so that the loader
// takes it wherever that DLL is imported; each of them ends the process with kPlantedCodeRan, since planted code
// must never run in the system DLL's place.
#include <windows.h>

namespace {

constexpr UINT kPlantedCodeRan = 86;

void WriteMarkerBeside(HMODULE module)
{
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    lstrcpyW(path + length, L".loaded");
    const HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

}  // namespace

extern "C" void PlantedFunction()
{
    ExitProcess(kPlantedCodeRan);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) WriteMarkerBeside(module);
    return TRUE;
}
