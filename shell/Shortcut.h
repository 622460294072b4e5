#pragma once
// Shell shortcuts (.lnk) for one program: directly on the Desktop, in the Start Menu and in the Quick
// Launch bar, and inside a program folder on the Desktop, in the Programs group, in the Start Menu and
// in the Quick Launch bar. The install run fills the properties and calls CreateShortcuts per entry.
#include <string>
#include <vector>

#include "shell/ShellFolders.h"

class TShortcuts {
public:
    // Scans the Programs folder into FolderList.
    TShortcuts();

    std::string RunProgram;   // the program the shortcuts start
    std::string Folder;       // below a shell folder; may hold "\" for nested folders
    std::string ProgramName;  // the file is ProgramName + ".lnk"
    bool Desktop = false;
    bool QuickLaunch = false;
    bool StartMenu = false;
    bool FolderDesktop = false;
    bool FolderQuickLaunch = false;
    bool FolderStartMenu = false;
    bool AllUsers = false;  // the Desktop and Start Menu every user sees; Quick Launch has none and stays the user's
    std::vector<std::string> FolderList;  // the entries of the Programs folder that are not shortcuts
    std::string IconFile;                 // icon 0 of this file; empty for the program's own icon

    // WindowsDir + "\Application Data\Microsoft\Internet Explorer\Quick Launch\".
    static std::string QuickLaunchDir();

    // The shell folder of kind where the shortcuts go: every user's with AllUsers, else the running user's.
    std::string Location(TShellFolderKind kind) const;

    // The program folder below location: location + Folder + "\", or location itself for no folder.
    std::string FolderPath(const std::string& location) const;

    // Fills FolderList with the names in the Programs folder that do not begin with "." and do not
    // contain ".LNK" in any letter case.
    void ScanProgramFolders();

    // Saves one shell link to every place the options select; program folders are created with their
    // parents. Raises Exception when the shell link object cannot be made. The paths of the shortcuts that
    // could not be saved.
    std::vector<std::string> CreateShortcuts() const;
};
