#pragma once
// One spelling for a local path, whatever spelling a record or a command line uses for it, so that a guard
// compares what the system will reach, not the letters it was given.
#include <optional>
#include <string>

#include "app/record/LongNames.h"

// The path upper-cased and without a final "\", after: the "\\?\" and "\\.\" prefixes are taken off; this
// machine's administrative shares (\\localhost\C$\, \\127.0.0.1\C$\, \\<its name>\C$\) become their drive;
// "." and ".." names and doubled or forward separators are resolved; short (8.3) names become long ones as far
// as the path exists. Nothing when the path is not absolute ("X:\" or "\\server\share\") before and after,
// or names a device.
std::optional<std::string> CanonicalPath(const std::string& path);
// The same, with the long names that names has looked up already (a batch of paths in the same folders).
std::optional<std::string> CanonicalPath(const std::string& path, TLongNames& names);
