#include "app/record/SystemDirs.h"

#include "shell/ShellFolders.h"

std::array<std::string, 4> SystemDirs()
{
    const std::string windows = WindowsDir();
    return {windows + "\\", windows + "\\System\\", windows + "\\System32\\", windows + "\\Fonts\\"};
}
