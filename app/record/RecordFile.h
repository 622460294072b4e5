#pragma once
// The uninstall record's file as both runs read it, whole and by the project's own profile reader, never by
// the system's profile functions (they take a UTF-8 byte-order mark for part of the first line on Windows).
// A record that begins with the mark is UTF-8; one without it was written by an earlier version in the
// machine's ANSI code page and is converted from it. A file that cannot be read is an empty record.
#include <string>

#include "config/ProfileFile.h"

ProfileFile LoadUninstallRecord(const std::string& path);
