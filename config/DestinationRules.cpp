#include "config/DestinationRules.h"

#include <array>
#include <utility>

#include "config/TextFields.h"

namespace {

std::string ApplyToken(const std::string& dir, const std::string& token, const DestinationBases& bases)
{
    if (token == "Installation Directory") return bases.main;
    if (token == "Program Files") return bases.programFiles;
    if (token == "Windows") return bases.windows + "\\";
    if (token == "System") return bases.windows + "\\System\\";
    if (token == "System32") return bases.system;
    if (token == "Fonts") return bases.windows + "\\Fonts\\";
    if (token == "Root") return bases.drive;
    return dir + token + "\\";
}

std::string DestinationOf(std::string line, const DestinationBases& bases)
{
    std::string dir;
    while (line.find('\t') != std::string::npos) dir = ApplyToken(dir, SplitFirst(line, '\t'), bases);
    while (line.find(',') != std::string::npos) dir = ApplyToken(dir, SplitFirst(line, ','), bases);
    return dir + FileNamePart(line);
}

}  // namespace

std::vector<std::string> ApplyDestinationTokens(const std::vector<std::string>& lines, const DestinationBases& bases)
{
    std::vector<std::string> destinations;
    for (const std::string& line : lines)
        if (!line.empty()) destinations.push_back(DestinationOf(line, bases));
    return destinations;
}

std::string ApplyPathMacros(const std::string& path, const DestinationBases& bases)
{
    const std::array<std::pair<std::string, std::string>, 7> macros{{
        {"<InstallDir>\\", bases.main},
        {"<ProgramFiles>\\", bases.programFiles},
        {"<Windows>\\", bases.windows + "\\"},
        {"<Windows>\\System\\", bases.windows + "\\System\\"},
        {"<Windows>\\System32\\", bases.system},
        {"<Windows>\\Fonts", bases.windows + "\\Fonts\\"},
        {"<Root>\\", bases.drive},
    }};
    std::string rest = path;
    std::string result = bases.main;
    for (const auto& [macro, replacement] : macros) {
        if (!rest.starts_with(macro)) continue;
        rest.erase(0, macro.size());
        result = replacement + rest;
    }
    return result;
}
