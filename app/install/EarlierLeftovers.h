#pragma once
// An upgrade: what the earlier installation of the product had and this run did not install again. It goes once
// this run has put its own in place, each removal journaled first, so that a run that fails afterwards brings
// the earlier version back whole. The earlier installation's record decides what was its own, as it would for
// its uninstaller; a file "possibly used by Windows" stays, as the silent uninstaller keeps it.
#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"
#include "app/record/UninstallRecordReader.h"

// earlier: the record of the installation this run takes over; now: this run's record.
void RemoveEarlierLeftovers(const TUninstallRecordContents& earlier, const TUninstallRecordContents& now,
                            TInstallJournal& journal, TInstallProgress& progress);
