#include "app/install/InstallOutcome.h"

#include "config/TextFields.h"

namespace {

const char* Reason(TPlacement why)
{
    switch (why) {
        case plNoSource:
            return "not found among the installation files";
        case plReadOnly:
            return "the file there is read-only";
        case plKeptNewer:
            return "a newer version is installed";
        case plInUse:
            return "in use; only an administrator's installation can replace it at the restart";
        case plInstalled:
        case plAtRestart:
        case plRefused:
            break;
    }
    return "cannot be written";
}

}  // namespace

void TInstallOutcome::Note(const std::string& path, TPlacement placement)
{
    if (placement == plAtRestart)
        AtRestart.push_back(path);
    else if (placement != plInstalled)
        Skipped.push_back({path, placement});
}

std::string PlacementLine(const std::string& path, TPlacement placement)
{
    switch (placement) {
        case plInstalled:
            return Concat({"Installed ", path});
        case plAtRestart:
            return Concat({"In use, replaced when Windows restarts: ", path});
        case plNoSource:
        case plReadOnly:
        case plKeptNewer:
        case plRefused:
        case plInUse:
            break;
    }
    return Concat({"Not installed: ", path, " (", Reason(placement), ")"});
}

std::string OutcomeMessage(const TInstallOutcome& outcome)
{
    std::string message;
    if (!outcome.Skipped.empty()) {
        message += "These files were not installed:\r\n";
        for (const TSkippedFile& file : outcome.Skipped) message += file.Path + " (" + Reason(file.Why) + ")\r\n";
    }
    if (outcome.RestartNeeded()) {
        if (!message.empty()) message += "\r\n";
        message += "These files are in use and will be replaced when Windows restarts:\r\n";
        for (const std::string& path : outcome.AtRestart) message += path + "\r\n";
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message;
}
