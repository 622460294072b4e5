#pragma once
// The rules behind destinations: the tokens of finstall.cfg lines and the path macros of install.cfg,
// over folder paths that the caller supplies, so that any platform can apply them.
#include <string>
#include <vector>

struct DestinationBases {
    std::string main;          // the destination directory, with or without its trailing "\" as the caller needs
    std::string windows;       // the Windows directory, no trailing "\"
    std::string drive;         // the system drive, "C:\"
    std::string programFiles;  // the Program Files folder of the product's kind, ending in "\"
    std::string system;        // the system folder of the product's kind, ending in "\"
};

// One destination path per non-empty line, in order: the directory its tokens name followed by the
// file-name part of its source path (nothing for a source ending in "\", a directory to create).
// Tokens end in a TAB or ","; every TAB-ended token is taken before any ","-ended one.
// "Installation Directory" (bases.main), "Program Files" (bases.programFiles), "Windows", "System", "System32"
// (bases.system), "Fonts" and "Root" replace the directory; any other token adds a subdirectory. Tokens are compared
// exactly.
std::vector<std::string> ApplyDestinationTokens(const std::vector<std::string>& lines, const DestinationBases& bases);

// path with its leading macros replaced, each tested in turn against what the earlier ones left:
// "<InstallDir>\", "<ProgramFiles>\", "<Windows>\", "<Windows>\System\", "<Windows>\System32\",
// "<Windows>\Fonts", "<Root>\". A path that begins with none of them gives bases.main alone.
std::string ApplyPathMacros(const std::string& path, const DestinationBases& bases);
