#include <exception>
#include <optional>

#include "app/install/InstallEngine.h"
#include "app/install/JournalUndo.h"
#include "app/product/SetupConfig.h"
#include "app/run/ProductLock.h"
#include "app/run/RunMode.h"
#include "app/silent/SilentHosts.h"
#include "app/silent/SilentRuns.h"
#include "bootstrap/SupportExpansion.h"
#include "config/TextFields.h"
#include "shell/Elevation.h"
#include "shell/ScratchFolder.h"
#include "state/Global.h"

namespace {

// What the wizard's pages propose, taken as the user's choices.
TInstallChoices DefaultChoices(const std::string& installDir, const std::string& title)
{
    TInstallChoices choices;
    choices.InstallDir = installDir;
    choices.Title = title;
    choices.ProductId = Global.InstallSettings.ProductId;
    choices.Scope = Global.Scope;
    for (const std::string& entry : Global.ShortcutEntries)
        for (bool flag : ShortcutFlagsOf(entry)) choices.ShortcutRows.push_back(flag);
    return choices;
}

TExitCode Install(const TCommandLine& line, TRunLog& log, std::optional<TProductLock>& lock)
{
    TSilentExpansionHost expansionHost(log);
    TSetupConfig config;
    std::string proposed;
    TSupportExpansion expansion(
        [&](const std::string& dir) {
            config = ReadSetupConfig(dir, line.Scope);
            proposed = ApplyToGlobals(config, Global);
        },
        expansionHost);
    if (!expansion.Run()) {
        if (!Global.TempFiles.empty()) RemoveScratchFolder(Global.TempDir, Global.TempFiles);
        return expansionHost.DiskMissing() ? ecDiskMissing : ecFailed;
    }

    // A product that asks, installed for everyone by a program that runs as its user: the run goes on with an
    // administrator's rights, from the start, and its exit code is this one's.
    if (Global.Scope == isMachine && Global.InstallSettings.Scope == isAsk && !RunsElevated()) {
        RemoveScratchFolder(Global.TempDir, Global.TempFiles);
        lock.reset();  // the run with an administrator's rights takes it
        const std::optional<unsigned long> code = RunAgainAsAdministrator("/ALLUSERS " + CommandLineText(), log);
        return code ? static_cast<TExitCode>(*code) : ecFailed;
    }
    const TInstallChoices choices = DefaultChoices(
        line.Destination.empty() ? proposed : WithTrailingBackslash(line.Destination), ProductTitleOf(config));
    log.Line(Concat({"Installing ", choices.Title, " into ", choices.InstallDir}));
    TSilentInstallProgress progress(log);
    TInstallOutcome outcome;
    try {
        outcome = RunInstallation(Global, choices, progress);
    } catch (const std::exception& error) {
        log.Line(Concat({"Error: ", error.what()}));
        return ecFailed;
    }
    TSilentFinishHost finish(log);
    RunFinishActions({fcReturn, Global.TempDir, Global.TempFiles, Global.LaunchFiles, ""}, finish);
    if (outcome.RestartNeeded()) log.Line("Windows must restart to finish the installation");
    if (!outcome.Skipped.empty()) {
        log.Line("Error: files were not installed");
        return ecFailed;
    }
    log.Line(Concat({"Installed ", choices.Title}));
    return ecInstalled;
}

}  // namespace

TExitCode RunSilentInstall(const TCommandLine& line, TRunLog& log)
{
    InitGlobals();
    const std::string title = ProductTitleOf(ReadSetupConfig(Global.SourceDir));
    std::optional<TProductLock> lock(std::in_place, title);
    if (!lock->Held()) {
        log.Line(lock->Refusal(Concat({"Another installation of ", title, " is running"})));
        return lock->Problem().empty() ? ecAlreadyRunning : ecFailed;
    }
    if (const std::string undone = InterruptedRunMessage(title, UndoJournal(title)); !undone.empty()) log.Line(undone);
    const TExitCode code = Install(line, log, lock);
    FreeGlobals();
    return code;
}
