#pragma once
// The configured INI and registry entries: removed before the files are copied (ClearRegistryEntries),
// written after the shortcuts (WriteRegistryEntries) and recorded for the uninstaller.
//
// What the installation creates is recorded whole: an INI file in "Files", a registry key in "Registry".
// What it only writes into is recorded key by key ("INI Keys", "Registry Values"): an INI file that is
// shared (app/RegistryEntry.h) or that exists when the write comes and was not made by this run, and a
// registry key that is shared (app/KeyPath.h) or that exists when the write comes and was not made by
// this run.
#include <set>
#include <string>

#include "app/Global.h"
#include "app/InstallProgress.h"
#include "app/RegistryEntry.h"
#include "app/UninstallRecord.h"

// Per entry, after the window has had its messages: an INI file that is not shared is deleted; a
// registry key Target + "\" + Section is erased with EraseKeyPath. Failures are ignored.
void ClearRegistryEntries(const TStringList& entries, TInstallProgress& progress);

class TRegistryWriter {
public:
    TRegistryWriter(TUninstallRecord& record, TInstallProgress& progress, TProgressSteps& steps)
        : record_(record), progress_(progress), steps_(steps)
    {
    }

    // Label2 "Creating Registry Entries", then each entry recorded and written, one progress step each.
    // Raises Exception "Unable to write to " + file for an INI write the profile API refuses, and
    // ERegistryException "Failed to set data for '" + name ... for a value that cannot be set. A key that
    // cannot be created, or a path that names no key below its root, is passed over.
    void WriteRegistryEntries(const TStringList& entries);

private:
    void WriteIniEntry(const TRegistryEntry& entry);
    void WriteKeyEntry(const TRegistryEntry& entry);

    TUninstallRecord& record_;
    TInstallProgress& progress_;
    TProgressSteps& steps_;
    std::set<std::string> createdIniFiles_;  // upper-cased
    std::set<std::string> createdKeys_;      // root and path, upper-cased
};
