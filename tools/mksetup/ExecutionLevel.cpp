#include "tools/mksetup/ExecutionLevel.h"

#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/WholeFile.h"
#include "tools/mksetup/PeChecksum.h"

namespace {

constexpr std::string_view kShippedLevel = "level=\"requireAdministrator\"";

std::size_t ShippedLevelAt(const std::string& bytes, const std::string& program)
{
    const std::size_t at = bytes.find(kShippedLevel);
    if (at == std::string::npos)
        throw Exception(program + " holds no manifest asking for an administrator (" + std::string(kShippedLevel) +
                        "), so it is not the setup program this mksetup ships; name the one installed with it");
    if (bytes.find(kShippedLevel, at + 1) != std::string::npos)
        throw Exception(program + " holds " + std::string(kShippedLevel) +
                        " more than once, so its manifest cannot be told apart; it is not the setup program this "
                        "mksetup ships");
    return at;
}

}  // namespace

std::optional<std::string_view> ExecutionLevelFor(std::optional<InstallScope> scope)
{
    if (scope == InstallScope::User || scope == InstallScope::Ask) return "asInvoker";
    return std::nullopt;
}

void WriteWithExecutionLevel(const std::string& program, const std::string& out, std::string_view level)
{
    std::optional<std::string> bytes = ReadWholeFile(program);
    if (!bytes) throw Exception("Cannot read " + program);
    const std::size_t at = ShippedLevelAt(*bytes, program);
    // The new text has the old one's length, blanks filling it between the attributes: the manifest resource
    // keeps its size, so the resource directory, the sections and every offset of the image stay as they are.
    std::string written = "level=\"" + std::string(level) + "\"";
    written.resize(kShippedLevel.size(), ' ');
    bytes->replace(at, written.size(), written);
    RefreshPeChecksum(*bytes);
    FileStream file(out, FileMode::Create);
    file.WriteBuffer(bytes->data(), bytes->size());
}
