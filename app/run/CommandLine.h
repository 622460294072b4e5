#pragma once
// setup.exe's switches, recognised only as leading arguments and in any letter case:
//   /S          a silent run: no window, no question; installs, or with a title uninstalls
//   /LOG=FILE   a plain-text log of the run, interactive or silent
//   /D=DIR      the destination, a full path; it comes last and takes the rest of the command line, blanks
//               and all, without one pair of enclosing quotes
//   --          the end of the switches: what follows is a title, even when it begins with "/"
//   /CURRENTUSER, /ALLUSERS  the answer to a product that asks whose installation it is: for me only, for everyone
//   /? or /HELP the switches, the exit codes and the uninstall's form, shown instead of a run
// What follows the switches names the uninstall entry of an uninstall (the product's id, or its title), as every
// stored "UninstallString" holds it (today's after "--", earlier versions' right after the program).
#include <string>
#include <vector>

#include "state/Global.h"

struct TCommandLine {
    bool Silent = false;
    std::string LogFile;
    std::string Destination;
    TInstallScope Scope = isUnset;       // /CURRENTUSER: isUser, /ALLUSERS: isMachine
    std::vector<std::string> Arguments;  // after the switches
    bool Help = false;                   // /? or /HELP: nothing else is read
    std::string Problem;                 // not empty: the command line is wrong, and why
};

// arguments: the program's arguments without its name; raw: the whole command line as the system gives it,
// for a destination with blanks that nobody quoted.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& raw);

// What /? shows, one line to a "\r\n".
const char* CommandLineHelp();
