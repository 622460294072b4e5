#include "app/silent/SilentHosts.h"

#include "config/TextFields.h"

bool TSilentSegInteraction::ErrorOkCancel(const std::string& Message)
{
    // The reader asks only about a disk that is missing or is not the one it needs.
    diskMissing_ = true;
    log_.Line(Concat({"Disk missing: ", Message}));
    return false;
}
