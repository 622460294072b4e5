#include "app/finish/FinishActions.h"

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "shell/FileRoutines.h"
#include "shell/Processes.h"

namespace {

void RunLaunchPrograms(const TFinishRequest& request, TFinishHost& host)
{
    if (!request.LaunchFiles.empty()) {
        host.SetCaption("Launching External Applications");
        host.ProcessMessages();
    }
    host.ProcessMessages();
    for (const std::string& command : request.LaunchFiles) {
        // The program quoted, so that a space in the path cannot make the system run a different program;
        // its arguments after it.
        const std::string program = ProgramPart(command);
        if (!program.empty())
            RunAndWait("\"" + request.TempDir + program + "\"" + command.substr(program.size()), SW_SHOW);
    }
}

void RemoveTemporaryFiles(const std::string& tempDir)
{
    if (!IsAbsoluteDirectory(tempDir) || IsRootDirectory(tempDir)) return;
    DeleteMatchingFiles(tempDir, "*.*");
    RemoveDirectoryA(tempDir.c_str());
}

void LaunchInstalledProgram(const std::string& application)
{
    const std::string file = FileNamePart(application);
    if (!file.empty()) OpenWithShell(nullptr, file, "", DirectoryPart(application), SW_SHOW);
}

}  // namespace

void RunFinishActions(const TFinishRequest& request, TFinishHost& host)
{
    RunLaunchPrograms(request, host);

    host.ProcessMessages();
    host.SetCaption("Removing Up Tempoary Files");
    host.ProcessMessages();
    RemoveTemporaryFiles(request.TempDir);

    switch (request.Choice) {
        case fcLaunch:
            LaunchInstalledProgram(request.LaunchApplication);
            break;
        case fcRestart:
            host.ShutdownWindows(EWX_REBOOT);
            break;
        case fcReturn:
            break;
    }

    host.SetCaption("Install Completed");
    host.ProcessMessages();
    host.Close();
}
