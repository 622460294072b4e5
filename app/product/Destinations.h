#pragma once
// Where things go: the destination tokens of finstall.cfg and the path macros of install.cfg; Program Files and the
// system folder are those of Global's product, 32-bit or 64-bit.
// mainDir is the destination directory as the user sees it (the text of Main_Dir).
#include <string>

#include "state/Global.h"

// The destination of each non-empty finstall.cfg line (ApplyDestinationTokens in
// config/DestinationRules.h) over this machine's folders; "Installation Directory" is mainDir with a
// "\" added when missing.
TStringList ResolveDestinations(const TStringList& installFiles, const std::string& mainDir);

// path with its leading macros replaced (ApplyPathMacros) over this machine's folders and mainDir as given.
std::string ExpandPathMacros(const std::string& path, const std::string& mainDir);
