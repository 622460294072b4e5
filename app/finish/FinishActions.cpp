#include "app/finish/FinishActions.h"

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "shell/Processes.h"
#include "shell/ScratchFolder.h"

namespace {

void RunLaunchPrograms(const TFinishRequest& request, TFinishHost& host)
{
    if (!request.LaunchFiles.empty()) {
        host.SetCaption("Launching External Applications");
        host.ProcessMessages();
    }
    host.ProcessMessages();
    for (const std::string& command : request.LaunchFiles) {
        // The program by its full path, in the run's own folder; its arguments after it.
        const std::string program = ProgramPart(command);
        if (program.empty()) continue;
        std::string_view arguments = std::string_view(command).substr(program.size());
        while (!arguments.empty() && arguments.front() == ' ') arguments.remove_prefix(1);
        const std::string path = request.TempDir + program;
        host.Log(Concat({RunAndWait(path, std::string(arguments), SW_SHOW) == 0 ? "Ran " : "Could not start ", "\"",
                         path, "\"", arguments.empty() ? "" : " ", arguments}));
    }
}

// The run's own files, read-only ones too (a support file keeps the attributes it was packed with); one
// still in use goes at the next restart.
void RemoveTemporaryFiles(const TFinishRequest& request, TFinishHost& host)
{
    if (!IsAbsoluteDirectory(request.TempDir) || IsRootDirectory(request.TempDir)) return;
    if (RemoveScratchFolder(request.TempDir, request.TempFiles))
        host.Log(Concat({"Removed the temporary files ", request.TempDir}));
    else
        host.Log(Concat({"Could not remove all of ", request.TempDir}));
}

// By its full path: a bare name would be looked for in the current folder, setup.exe's download folder.
void LaunchInstalledProgram(const std::string& application)
{
    if (!FileNamePart(application).empty() && IsAbsolutePath(application))
        OpenWithShell(nullptr, application, "", DirectoryPart(application), SW_SHOW);
}

}  // namespace

void RunFinishActions(const TFinishRequest& request, TFinishHost& host)
{
    RunLaunchPrograms(request, host);

    host.ProcessMessages();
    host.SetCaption("Removing Up Tempoary Files");
    host.ProcessMessages();
    RemoveTemporaryFiles(request, host);

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
