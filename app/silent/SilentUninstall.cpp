#include "app/ProductLock.h"
#include "app/RunMode.h"
#include "app/silent/SilentHosts.h"
#include "app/silent/SilentRuns.h"
#include "app/uninstall/UninstallEngine.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "state/Global.h"

TExitCode RunSilentUninstall(const std::vector<std::string>& arguments, TRunLog& log)
{
    const TUninstallTarget target = UninstallTargetOf(arguments, port::CurrentDir());
    if (target.Title.empty() || target.Dir.empty()) {
        log.Line(Concat({"No uninstall information found for ", JoinArguments(arguments)}));
        return ecFailed;
    }
    const TProductLock lock(target.Title);
    if (!lock.Held()) {
        log.Line(Concat({"Another run of ", target.Title, " is going on"}));
        return ecAlreadyRunning;
    }
    log.Line(Concat({"Uninstalling ", target.Title, " from ", target.Dir}));
    TSilentUninstallView view(log);
    if (!RunUninstall({target.Dir, target.Title, false}, view)) return ecFailed;
    log.Line(Concat({"Uninstalled ", target.Title}));
    return ecInstalled;
}
