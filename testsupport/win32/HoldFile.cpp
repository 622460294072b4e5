// hold_file: another process that holds a file open with no sharing, as a running program holds its
// own executable. Usage: hold_file PATH NAME. It signals the event NAME.held once the file is open and
// lets go when the event NAME.release is set (or after ten minutes, so that it never outlives a test: one test
// holds it through ninety installations).
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const std::string name = argv[2];
    const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".held").c_str());
    const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, (name + ".release").c_str());
    if (held == nullptr || release == nullptr) return 3;
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 4;
    SetEvent(held);
    WaitForSingleObject(release, 600000);
    CloseHandle(file);
    return 0;
}
