#pragma once
// Where things go: the destination tokens of finstall.cfg and the path macros of install.cfg.
// mainDir is the destination directory as the user sees it (the text of Main_Dir).
#include <string>

#include "app/Global.h"

// One destination path per non-empty finstall.cfg line, in order: the directory its tokens name
// followed by the file-name part of its source path (nothing for a source ending in "\", a
// directory to create). Tokens end in a TAB or ","; every TAB-ended token is taken before any
// ","-ended one. "Installation Directory" (mainDir with a "\" added when missing), "Program
// Files", "Windows", "System", "System32", "Fonts" and "Root" replace the directory; any other
// token adds a subdirectory. Tokens are compared exactly.
TStringList ResolveDestinations(const TStringList& installFiles, const std::string& mainDir);

// path with its leading macros replaced, each tested in turn against what the earlier ones left:
// "<InstallDir>\", "<ProgramFiles>\", "<Windows>\", "<Windows>\System\", "<Windows>\System32\",
// "<Windows>\Fonts", "<Root>\". A path that begins with none of them gives mainDir alone.
std::string ExpandPathMacros(const std::string& path, const std::string& mainDir);
