#include "app/finish/FinishActions.h"

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "shell/Processes.h"
#include "shell/RestartRemoval.h"

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
        if (program.empty()) continue;
        const std::string commandLine =
            Concat({"\"", request.TempDir, program, "\"", std::string_view(command).substr(program.size())});
        host.Log(Concat({RunAndWait(commandLine, SW_SHOW) == 0 ? "Ran " : "Could not start ", commandLine}));
    }
}

// The run's own files, read-only ones too (a support file keeps the attributes it was packed with); one
// still in use goes at the next restart.
void RemoveTemporaryFiles(const std::string& tempDir, TFinishHost& host)
{
    if (!IsAbsoluteDirectory(tempDir) || IsRootDirectory(tempDir)) return;
    TRestartRemoval removal;
    removal.DeleteMatchingFiles(tempDir, "*.*");
    if (RemoveDirectoryA(tempDir.c_str()) || removal.ScheduleDirectoryIfOnlyScheduledLeft(tempDir))
        host.Log(Concat({"Removed the temporary files ", tempDir}));
    else
        host.Log(Concat({"Could not remove all of ", tempDir}));
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
    RemoveTemporaryFiles(request.TempDir, host);

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
