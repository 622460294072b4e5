#pragma once
// The setup program that build ships when --setup names none.
#include <string>

// The setup.exe installed with this mksetup (relative to the running program), or, for a mksetup that runs
// from its build tree, that build's setup.exe. Raises Exception naming every place it looked when none is
// there.
std::string DefaultSetupProgram();
