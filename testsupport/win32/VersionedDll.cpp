// A DLL that does nothing: the tests of versioned files install it and read its version resource back. Linked
// without the runtime, so that it is small and imports nothing.
#include <windows.h>

extern "C" BOOL WINAPI VersionedDllEntry(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
