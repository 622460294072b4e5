/* Starts a Windows program and prints the milliseconds until its first page is on screen: a visible window
 * of the process with a visible control of the given id, or with id 0 its first visible top-level window.
 * Then ends the program. Usage (under Wine): first-window.exe ID FOLDER PROGRAM.exe */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static DWORD process;
static int wanted;
static HWND shown;

static BOOL CALLBACK FindControl(HWND window, LPARAM unused)
{
    (void)unused;
    if (GetDlgCtrlID(window) != wanted || !IsWindowVisible(window)) return TRUE;
    shown = window;
    return FALSE;
}

static BOOL CALLBACK FindTop(HWND window, LPARAM unused)
{
    DWORD owner = 0;
    (void)unused;
    GetWindowThreadProcessId(window, &owner);
    if (owner != process || !IsWindowVisible(window)) return TRUE;
    if (wanted == 0)
        shown = window;
    else
        EnumChildWindows(window, FindControl, 0);
    return shown == NULL;
}

int main(int argc, char** argv)
{
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION started;
    char command[1024];
    if (argc != 4) return 2;
    wanted = atoi(argv[1]);
    snprintf(command, sizeof command, "\"%s\"", argv[3]);
    const DWORD start = GetTickCount();
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, argv[2], &startup, &started)) return 1;
    process = started.dwProcessId;
    while (shown == NULL && GetTickCount() - start < 30000) {
        EnumWindows(FindTop, 0);
        if (shown == NULL) Sleep(5);
    }
    printf("%lu\n", shown != NULL ? GetTickCount() - start : 0UL);
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 5000);
    return shown != NULL ? 0 : 1;
}
