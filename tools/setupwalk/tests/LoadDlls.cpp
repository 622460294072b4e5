// load_dlls PATH...: loads each DLL by its path, in a process of its own, and exits with the number that would not
// load.
#include <windows.h>

int main(int argc, char** argv)
{
    int refused = 0;
    for (int index = 1; index < argc; ++index)
        if (LoadLibraryA(argv[index]) == nullptr) ++refused;
    return refused;
}
