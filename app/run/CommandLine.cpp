#include "app/run/CommandLine.h"

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"

namespace {

bool EqualsNoCase(std::string_view text, std::string_view word)
{
    return text.size() == word.size() && StartsWithNoCase(text, word);
}

// The rest of the raw command line after its last "/D=", without the blanks and the quote that may end it.
std::string RawDestination(std::string_view raw)
{
    std::size_t at = raw.size();
    while (at > 0 && !StartsWithNoCase(raw.substr(at - 1), "/D=")) --at;
    if (at == 0) return "";
    const bool quoted = at > 1 && raw[at - 2] == '"';
    std::string_view rest = raw.substr(at + 2);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    if (quoted && !rest.empty() && rest.back() == '"') rest.remove_suffix(1);
    // /D="C:\Program Files\My App": the quotes are the shell's, not the folder's.
    if (!quoted && rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    return std::string(rest);
}

// A destination that is not a full path would be taken relative to wherever the run happens to be, and the
// uninstall entry could not lead back to it.
std::string DestinationProblem(const std::string& destination)
{
    return IsAbsolutePath(WithTrailingBackslash(destination))
               ? ""
               : Concat({"The destination must be a full path with its drive: ", destination});
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& raw)
{
    TCommandLine line;
    std::size_t index = 0;
    for (; index < arguments.size() && arguments[index].starts_with('/'); ++index) {
        const std::string_view argument = arguments[index];
        if (argument.size() == 2 && StartsWithNoCase(argument, "/S")) {
            line.Silent = true;
        } else if (argument.size() > 5 && StartsWithNoCase(argument, "/LOG=")) {
            line.LogFile = argument.substr(5);
        } else if (argument.size() > 3 && StartsWithNoCase(argument, "/D=")) {
            line.Destination = RawDestination(raw);
            if (line.Destination.empty()) line.Destination = argument.substr(3);
            line.Problem = DestinationProblem(line.Destination);
            return line;
        } else if (EqualsNoCase(argument, "/CURRENTUSER") || EqualsNoCase(argument, "/ALLUSERS")) {
            line.Scope = EqualsNoCase(argument, "/ALLUSERS") ? isMachine : isUser;
        } else if (argument == "/?" || (argument.size() == 5 && StartsWithNoCase(argument, "/HELP"))) {
            line.Help = true;
            return line;
        } else {
            line.Problem = Concat({"Unknown switch ", argument, "; /? lists the switches"});
            return line;
        }
    }
    if (index < arguments.size() && arguments[index] == "--") ++index;
    line.Arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(index), arguments.end());
    return line;
}

const char* CommandLineHelp()
{
    return "Usage:\r\n"
           "  setup.exe [/S] [/LOG=FILE] [/CURRENTUSER | /ALLUSERS] [/D=DIR]\r\n"
           "                                          install\r\n"
           "  setup.exe [/S] [/LOG=FILE] [--] NAME    uninstall the product whose\r\n"
           "                                          uninstall entry is named NAME:\r\n"
           "                                          its product id, or its title\r\n"
           "\r\n"
           "Switches come first, in any letter case:\r\n"
           "  /S          silent: no window, no question\r\n"
           "  /LOG=FILE   write a log of the run to FILE\r\n"
           "  /CURRENTUSER, /ALLUSERS  for a product that asks: install for\r\n"
           "              me only, or for everyone\r\n"
           "  /D=DIR      install into DIR, a full path with its drive; it comes last\r\n"
           "              and takes the rest of the command line\r\n"
           "  --          ends the switches: NAME may then begin with /\r\n"
           "  /? or /HELP show this text\r\n"
           "An uninstall entry runs \"<dir>\\setup.exe\" [/S] -- NAME.\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0  installed or uninstalled\r\n"
           "  1  failed (the log says why)\r\n"
           "  2  bad command line\r\n"
           "  3  a disk or segment is missing\r\n"
           "  4  another run of the product is going on\r\n";
}
