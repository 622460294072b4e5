#include "app/Destinations.h"

#include <array>
#include <utility>

#include "shell/ShellFolders.h"
#include "shell/TextFields.h"

namespace {

// The directories tokens and macros name, read once per call.
struct TBaseDirs {
    std::string main;     // with its trailing "\" or as the user left it, per caller
    std::string windows;  // no trailing "\"
    std::string drive;    // "C:\"

    explicit TBaseDirs(std::string mainDir) : main(std::move(mainDir)), windows(WindowsDir()), drive(windows.substr(0, 3))
    {
    }
};

std::string ApplyToken(const std::string& dir, const std::string& token, const TBaseDirs& bases)
{
    if (token == "Installation Directory") return bases.main;
    if (token == "Program Files") return bases.drive + "Program Files\\";
    if (token == "Windows") return bases.windows + "\\";
    if (token == "System") return bases.windows + "\\System\\";
    if (token == "System32") return bases.windows + "\\System32\\";
    if (token == "Fonts") return bases.windows + "\\Fonts\\";
    if (token == "Root") return bases.drive;
    return dir + token + "\\";
}

std::string DestinationOf(std::string line, const TBaseDirs& bases)
{
    std::string dir;
    while (line.find('\t') != std::string::npos) dir = ApplyToken(dir, SplitFirst(line, '\t'), bases);
    while (line.find(',') != std::string::npos) dir = ApplyToken(dir, SplitFirst(line, ','), bases);
    return dir + FileNamePart(line);
}

}  // namespace

TStringList ResolveDestinations(const TStringList& installFiles, const std::string& mainDir)
{
    const TBaseDirs bases(WithTrailingBackslash(mainDir));
    TStringList destinations;
    for (const std::string& line : installFiles)
        if (!line.empty()) destinations.push_back(DestinationOf(line, bases));
    return destinations;
}

std::string ExpandPathMacros(const std::string& path, const std::string& mainDir)
{
    const TBaseDirs bases(mainDir);
    const std::array<std::pair<std::string, std::string>, 7> macros{{
        {"<InstallDir>\\", bases.main},
        {"<ProgramFiles>\\", bases.drive + "Program Files\\"},
        {"<Windows>\\", bases.windows + "\\"},
        {"<Windows>\\System\\", bases.windows + "\\System\\"},
        {"<Windows>\\System32\\", bases.windows + "\\System32\\"},
        {"<Windows>\\Fonts", bases.windows + "\\Fonts\\"},
        {"<Root>\\", bases.drive},
    }};
    std::string rest = path;
    std::string result = mainDir;
    for (const auto& [macro, replacement] : macros) {
        if (!rest.starts_with(macro)) continue;
        rest.erase(0, macro.size());
        result = replacement + rest;
    }
    return result;
}
