#pragma once
// A saved shell link (.lnk) as the shell reads it back, through IShellLinkA.
#include <optional>
#include <string>

struct ShellLinkContents {
    std::string Target;
    std::string WorkingDirectory;
    std::string IconFile;
};

// Empty when the file is not a shell link the shell can load.
std::optional<ShellLinkContents> ReadShellLink(const std::string& path);
