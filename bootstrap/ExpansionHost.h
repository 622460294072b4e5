#pragma once
// What the expansion of the support files needs of whoever runs it: the expander's window for an
// interactive run, a silent host that asks nobody and logs for a silent one, scripted hosts in tests.
#include <string>

#include "segment/SegInteraction.h"

class TExpansionHost {
public:
    virtual ~TExpansionHost() = default;

    virtual void SetProgressRange(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual int ProgressPosition() const = 0;
    // Lets the window repaint and answer between items.
    virtual void ProcessMessages() = 0;
    // "Please Insert Disk #n into Floppy Drive.": asked before the segment reader looks for the disk.
    virtual void AskForDisk(const std::string& request) = 0;
    // The segment reader's own questions (a disk still missing, a wrong disk).
    virtual TSegInteraction& SegInteraction() = 0;
    // One line for the run's log: a support file expanded, or why the expansion failed.
    virtual void Log(const std::string& event) = 0;
};
