// The entry point: the command line, the mode, the payload of a single-file setup.exe, then either a silent
// run or the setup screen until it closes.
#include "app/install/JournalUndo.h"
#include "app/run/CommandLine.h"
#include "app/run/ProductLock.h"
#include "app/run/RunLog.h"
#include "app/run/RunMode.h"
#include "app/run/StandardOutput.h"
#include "app/screen/DisplayScreen.h"
#include "app/silent/SilentRuns.h"
#include "bootstrap/OwnProgram.h"
#include "bootstrap/SingleFileSource.h"
#include "bootstrap/Unzip1.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/Elevation.h"
#include "state/Global.h"
#include "ui/Application.h"
#include "ui/CommonControls.h"
#include "ui/dialogs/Dialogs.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>

namespace {

// The uninstall entry key of the product this run is about: the one the command line names, the one of the record
// in the current directory, or that of the distribution's install.cfg.
std::string ProductOfThisRun(bool uninstall, const std::vector<std::string>& arguments)
{
    if (uninstall) return UninstallTargetOf(arguments, port::CurrentDir()).Key;
    const TSetupConfig config = ReadSetupConfig(WithTrailingBackslash(port::CurrentDir()));
    return EntryKeyOf(config.Settings, ProductTitleOf(config));
}

// Where the help was asked for from a command line, it goes there; otherwise a message box shows it, unless the run
// is to show no window.
int ShowHelp(bool silent)
{
    if (!WriteToStandardOutput(CommandLineHelp()) && !silent) {
        Application::SetTitle(kInstallTitle);
        ShowMessage(CommandLineHelp());
    }
    return 0;
}

int RunInteractive(const TCommandLine& line, TRunLog& log)
{
    const std::string product = ProductOfThisRun(Global.UninstallMode, line.Arguments);
    std::optional<TProductLock> lock(std::in_place, product);
    if (!lock->Held()) {
        const std::string why = lock->Refusal("Another setup of this product is running.");
        log.Line(why);
        ShowMessage(why);
        return lock->Problem().empty() ? ecAlreadyRunning : ecFailed;
    }
    // A killed installation of the product is undone before anything else, and the user is told.
    if (const std::string undone = InterruptedRunMessage(product, UndoJournal(product)); !undone.empty()) {
        log.Line(undone);
        ShowMessage(undone);
    }
    // After a failure the expander's window stays, showing where it stopped, until the program ends.
    std::optional<TUNZIP> unzip;
    TDisplayScreen screen(line);
    screen.RunLog = &log;
    screen.ExpandSupportFiles = [&screen, &unzip, &log] {
        unzip.emplace([&screen](const std::string& dir) { screen.LoadSetupConfig(dir); }, nullptr, screen.Handle(),
                      [&log](const std::string& event) { log.Line(event); });
        unzip->Show();
        unzip->ExpandSupportFiles();
        if (!Global.ExpandFailed) unzip.reset();
    };
    Application::Run(screen);
    if (screen.DestinationForEveryone.empty()) return 0;
    // The product's next run is the one with an administrator's rights: it takes the lock, and starts over.
    lock.reset();
    const std::optional<unsigned long> code =
        RunAgainAsAdministrator(Concat({"/ALLUSERS ", CommandLineText(), " /D=", screen.DestinationForEveryone}), log);
    if (!code) ShowMessage("Installing for everyone needs an administrator's rights.");
    return code ? static_cast<int>(*code) : ecFailed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Elevated, from a download folder: every DLL loaded from now on comes from the system folder, never from
    // beside setup.exe or the current directory.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Held from the start: nobody may swap the file while the run still has to read its payload or copy it.
    const TOwnProgram ownProgram;
    const TCommandLine line = ParseCommandLine(CommandLineArguments(), GetCommandLineA());
    if (line.Help) return ShowHelp(line.Silent);
    TRunLog log;
    const std::string logProblem = line.LogFile.empty() ? "" : log.Open(line.LogFile);
    if (!line.Problem.empty() || !logProblem.empty()) {
        const std::string problem = line.Problem.empty() ? logProblem : line.Problem;
        log.Line(problem);
        if (!line.Silent) ShowMessage(problem);
        return ecBadCommandLine;
    }
    EnterUninstallDirectory(line.Arguments);
    Global.UninstallMode = ChooseUninstallMode(line.Arguments, port::CurrentDir());
    // A program that runs as its user (one whose product may be installed for either) removes an installation for
    // everyone by running again with an administrator's rights.
    if (Global.UninstallMode && !RunsElevated() &&
        NeedsAdministrator(UninstallTargetOf(line.Arguments, port::CurrentDir()))) {
        const std::optional<unsigned long> code = RunAgainAsAdministrator(CommandLineText(), log);
        if (!code && !line.Silent) ShowMessage("Removing this installation needs an administrator's rights.");
        return code ? static_cast<int>(*code) : ecFailed;
    }
    const TSingleFileSource singleFile(!Global.UninstallMode);
    if (line.Silent)
        return Global.UninstallMode ? RunSilentUninstall(line, log) : RunSilentInstall(line, log);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    if (const TCommonControls* common = CommonControls()) common->InitCommonControlsEx(&controls);
    Application::SetTitle(Global.UninstallMode ? kUninstallTitle : kInstallTitle);
    try {
        return RunInteractive(line, log);
    } catch (...) {
        Application::HandleException();
        return 1;
    }
}
