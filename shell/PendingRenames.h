#pragma once
// The system's list of what to rename or delete at the next restart (the value PendingFileRenameOperations
// that MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT writes), read and thinned out. There is no call to take
// back a delayed operation, so the list is edited directly, in UTF-16 as the system keeps it; entries nobody
// takes out stay exactly as they were, those of other programs with paths this program's code page cannot
// hold among them (they are never offered to take out).
#include <functional>
#include <string>
#include <vector>

// Where the system keeps the list, below HKEY_LOCAL_MACHINE.
inline constexpr const char* kPendingRenamesKey = "System\\CurrentControlSet\\Control\\Session Manager";
inline constexpr const char* kPendingRenamesValue = "PendingFileRenameOperations";

struct TPendingRename {
    std::string Source;  // a Win32 path
    std::string Target;  // a Win32 path; empty: the source is deleted
};

std::vector<TPendingRename> PendingRenames();

// Takes out every operation that withdraw answers true for and returns them, in list order. The list is
// written again only when something was taken out; where it cannot be, nothing is returned.
std::vector<TPendingRename> WithdrawPendingRenames(const std::function<bool(const TPendingRename&)>& withdraw);
