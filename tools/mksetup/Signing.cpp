#include "tools/mksetup/Signing.h"

#include <sstream>
#include <vector>

#include "payload/PeLayout.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "tools/mksetup/ExternalProgram.h"

namespace {

std::string Osslsigncode()
{
    const std::string tool = FindOnPath("osslsigncode");
    if (tool.empty())
        throw Exception(
            "osslsigncode, which signs setup.exe and checks its signature, is not on PATH (on Debian: apt-get install "
            "osslsigncode)");
    return tool;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The first "Subject:" line after "Signer's certificate:", where osslsigncode names the signer.
std::string SignerOf(const std::string& output)
{
    std::istringstream lines(output.substr(std::min(output.size(), output.find("Signer's certificate"))));
    for (std::string line; std::getline(lines, line);)
        if (const std::size_t at = line.find("Subject:"); at != std::string::npos) return Trimmed(line.substr(at + 8));
    return {};
}

}  // namespace

void SignProgram(const SignOptions& options, const std::string& in, const std::string& out)
{
    std::vector<std::string> command{Osslsigncode(), "sign",      "-certs", options.cert,
                                     "-key",         options.key, "-h",     "sha256"};
    if (!options.passFile.empty()) command.insert(command.end(), {"-readpass", options.passFile});
    if (!options.timestampUrl.empty()) command.insert(command.end(), {"-ts", options.timestampUrl});
    command.insert(command.end(), {"-in", in, "-out", out});
    const ProgramRun run = RunProgram(command);
    if (run.exitCode != 0) throw Exception("osslsigncode could not sign " + in + ":\n" + Trimmed(run.output));
}

std::optional<SignatureReport> CheckSignature(const std::string& program, const std::string& caFile)
{
    {
        FileStream file(program, FileMode::OpenRead);
        if (ReadPeLayout(file, program).SignatureOffset == 0) return std::nullopt;
    }
    std::vector<std::string> command{Osslsigncode(), "verify", "-in", program};
    if (!caFile.empty()) command.insert(command.end(), {"-CAfile", caFile});
    const ProgramRun run = RunProgram(command);
    SignatureReport report;
    report.trusted = run.exitCode == 0;
    report.intact = run.output.find("Calculated message digest") != std::string::npos &&
                    run.output.find("MISMATCH") == std::string::npos;
    report.signer = SignerOf(run.output);
    const std::size_t error = run.output.find("Error:");
    if (!report.trusted && error != std::string::npos)
        report.problem = Trimmed(run.output.substr(error + 6, run.output.find('\n', error) - error - 6));
    return report;
}
