#include "app/install/JournalUndo.h"
#include "app/run/ProductLock.h"
#include "app/run/RunMode.h"
#include "app/silent/SilentHosts.h"
#include "app/silent/SilentRuns.h"
#include "app/uninstall/UninstallEngine.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "state/Global.h"

TExitCode RunSilentUninstall(const TCommandLine& line, TRunLog& log)
{
    const std::vector<std::string>& arguments = line.Arguments;
    TUninstallTarget target = UninstallTargetOf(arguments, port::CurrentDir());
    if (target.Dir.empty()) {
        log.Line(Concat({"No uninstall information found for ", JoinArguments(arguments), ": ", target.Problem}));
        return ecFailed;
    }
    const TProductLock lock(target.Key);
    if (!lock.Held()) {
        log.Line(lock.Refusal(Concat({"Another run of ", target.Title, " is going on"})));
        return lock.Problem().empty() ? ecAlreadyRunning : ecFailed;
    }
    // A killed installation of the product is undone first; what is left to uninstall is then found again.
    if (const std::string undone = InterruptedRunMessage(target.Title, UndoJournal(target.Key)); !undone.empty()) {
        log.Line(undone);
        target = UninstallTargetOf(arguments, port::CurrentDir());
        if (target.Dir.empty()) {
            log.Line(Concat({"No uninstall information found for ", JoinArguments(arguments), ": ", target.Problem}));
            return ecFailed;
        }
    }
    log.Line(Concat({"Uninstalling ", target.Title, " from ", target.Dir}));
    TSilentUninstallView view(log);
    if (!RunUninstall({target.Dir, target.Title, target.Entry, false}, view)) return ecFailed;
    log.Line(Concat({"Uninstalled ", target.Title}));
    return ecInstalled;
}
