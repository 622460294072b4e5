#include "app/CommandLine.h"

#include "config/TextFields.h"

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return UpperCase(text.substr(0, prefix.size())) == prefix;
}

// The rest of the raw command line after its last "/D=", without the quote that may close it.
std::string RawDestination(const std::string& raw)
{
    const std::size_t at = UpperCase(raw).rfind("/D=");
    if (at == std::string::npos) return "";
    std::string rest = raw.substr(at + 3);
    const bool quoted = at > 0 && raw[at - 1] == '"';
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
    if (quoted && !rest.empty() && rest.back() == '"') rest.pop_back();
    return rest;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& raw)
{
    TCommandLine line;
    std::size_t index = 0;
    for (; index < arguments.size() && !arguments[index].empty() && arguments[index].front() == '/'; ++index) {
        const std::string& argument = arguments[index];
        if (UpperCase(argument) == "/S") {
            line.Silent = true;
        } else if (StartsWithNoCase(argument, "/LOG=") && argument.size() > 5) {
            line.LogFile = argument.substr(5);
        } else if (StartsWithNoCase(argument, "/D=") && argument.size() > 3) {
            line.Destination = RawDestination(raw);
            if (line.Destination.empty()) line.Destination = argument.substr(3);
            return line;
        } else {
            line.Problem = "Unknown switch " + argument;
            return line;
        }
    }
    line.Arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(index), arguments.end());
    return line;
}
