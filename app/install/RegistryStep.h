#pragma once
// The configured INI and registry entries: removed before the files are copied (ClearRegistryEntries),
// written after the shortcuts (WriteRegistryEntries) and recorded for the uninstaller.
//
// Only what belongs to this product is recorded whole (an INI file in "Files", a registry key in
// "Registry"): what did not exist before the run, or what an earlier installation of the product recorded
// as its own. Whatever else the run writes into is the machine's and is recorded key by key ("INI Keys",
// "Registry Values"), with the sections and keys the run adds to it ("INI Sections", "Created Keys") so
// that the uninstaller can take them away again once they are empty. Shared INI files
// (app/install/RegistryEntry.h) and shared keys (app/record/KeyPath.h) are never the product's.
#include <string>

#include "app/install/EarlierInstallation.h"
#include "app/install/EntriesBefore.h"
#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"
#include "app/install/RegistryEntry.h"
#include "app/install/UninstallRecord.h"
#include "state/Global.h"

// Per entry, after the window has had its messages: the INI file or the registry key (Target + "\" +
// Section) that the earlier installation recorded whole is deleted, so that the values written next form
// its whole contents: the key's values and the file are kept in the journal first. Nothing else is erased.
// Failures are ignored.
void ClearRegistryEntries(const TStringList& entries, const TEarlierInstallation& earlier, TInstallProgress& progress,
                          TInstallJournal& journal);

class TRegistryWriter {
public:
    TRegistryWriter(TUninstallRecord& record, const TEarlierInstallation& earlier, const TEntriesBefore& before,
                    TInstallProgress& progress, TProgressSteps& steps, TInstallJournal& journal)
        : record_(record), earlier_(earlier), before_(before), progress_(progress), steps_(steps), journal_(journal)
    {
    }

    // Label2 "Creating Registry Entries", then each entry recorded, journaled and written, one progress step each.
    // Raises Exception "Unable to write to " + file for an INI write the profile API refuses, and
    // ERegistryException "Failed to set data for '" + name ... for a value that cannot be set. A key that
    // cannot be created, or a path that names no key below its root, is passed over.
    void WriteRegistryEntries(const TStringList& entries);

private:
    void WriteIniEntry(const TRegistryEntry& entry);
    void WriteKeyEntry(const TRegistryEntry& entry);
    void RecordCreatedKeys(const TKeyPath& key, bool recordedWhole);

    TUninstallRecord& record_;
    const TEarlierInstallation& earlier_;
    const TEntriesBefore& before_;
    TInstallProgress& progress_;
    TProgressSteps& steps_;
    TInstallJournal& journal_;
};
