#pragma once
// Where Windows keeps things: its own directory, the per-user shell folders, the system icon list.
#include <windows.h>
#include <commctrl.h>

#include <string>

// The Windows directory, without a trailing "\"; read afresh on every call.
std::string WindowsDir();

// The first three characters of WindowsDir, such as "C:\".
std::string SystemDrive();

// The Program Files folder and the system folder of this program's kind, ending in "\", as Windows names them:
// on 64-bit Windows a 32-bit program's are "Program Files (x86)" and "SysWOW64". SystemDrive + "Program Files\"
// and the Windows directory's "System32\" when Windows names none.
std::string ProgramFilesDir();
std::string SystemFolderDir();

// Whether this 32-bit program runs on 64-bit Windows.
bool IsWow64();

// A 64-bit program's Program Files and system folder, ending in "\": the folder the 64-bit registry view names, and
// System32 by the name a 32-bit program reaches it through without turning redirection off ("Sysnative"). On
// 32-bit Windows they are ProgramFilesDir and System32.
std::string ProgramFiles64Dir();
std::string NativeSystemDir();

// The user's own folder for programs installed without an administrator, "%LOCALAPPDATA%\Programs\".
std::string UserProgramsDir();

enum TShellFolderKind { sfDesktop, sfPrograms, sfStartMenu, sfStartup };

// The folder, ending in "\", from the user's "Shell Folders" key. When the key or the value is
// missing, the folder of that name below the Windows directory (Desktop, Start Menu\Programs,
// Start Menu, Start Menu\Programs\StartUp).
std::string ShellFolderPath(TShellFolderKind kind);

// The folder every user sees, ending in "\": the all-users Desktop, Start Menu, its Programs and StartUp. When
// Windows names none, the user's own (ShellFolderPath).
std::string CommonShellFolderPath(TShellFolderKind kind);

// The file's index in the system small-icon list.
int SmallIconIndex(const std::string& path);

// The system's shared small-icon list (16 x 16). It belongs to the system: never destroy it.
HIMAGELIST SystemSmallIconList();
