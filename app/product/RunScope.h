#pragma once
// Whose this run's installation is, and where such an installation goes by default.
#include <string>

#include "state/Global.h"

// The setting's text read as config/InstallScope.h says; anything else leaves the scope unset.
TInstallScope ScopeSetting(const std::string& text);

// The scope of a run: the setting; for one that asks, the command line's answer, else "for everyone" where the run
// has an administrator's rights and "for me only" where it has not.
TInstallScope RunScope(TInstallScope setting, TInstallScope answer);

// The folder a destination's plain name goes below, ending in "\": the user's own programs folder for a user's
// installation; else the Program Files of the product's kind, or the system drive without underProgramFiles.
std::string ProgramsBase(TInstallScope scope, bool product64, bool underProgramFiles);
