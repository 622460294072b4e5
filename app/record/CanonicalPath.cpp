#include "app/record/CanonicalPath.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <vector>

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "shell/PathIdentity.h"

namespace {

// The part of path after prefix, letter case aside, or nothing.
std::optional<std::string> After(const std::string& path, std::string_view prefix)
{
    if (!StartsWithNoCase(path, prefix)) return std::nullopt;
    return path.substr(prefix.size());
}

// The names this machine answers to on the network.
std::vector<std::string> ThisMachinesNames()
{
    std::vector<std::string> names = {"LOCALHOST", "127.0.0.1", "[::1]", "."};
    for (COMPUTER_NAME_FORMAT format : {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
        wchar_t name[256] = {};
        DWORD size = static_cast<DWORD>(std::size(name));
        if (GetComputerNameExW(format, name, &size) && size > 0) names.push_back(UpperCase(port::Narrowed(name)));
    }
    return names;
}

// "\\host\X$\rest" of this machine as "X:\rest"; any other path as it is.
std::string WithoutAdministrativeShare(const std::string& path)
{
    if (path.size() < 6 || path[0] != '\\' || path[1] != '\\') return path;
    const std::size_t hostEnd = path.find('\\', 2);
    if (hostEnd == std::string::npos || path.size() < hostEnd + 3) return path;
    const char drive = path[hostEnd + 1];
    if (!std::isalpha(static_cast<unsigned char>(drive)) || path[hostEnd + 2] != '$') return path;
    if (path.size() > hostEnd + 3 && path[hostEnd + 3] != '\\') return path;
    const std::string host = UpperCase(path.substr(2, hostEnd - 2));
    for (const std::string& name : ThisMachinesNames())
        if (host == name) return std::string(1, drive) + ":\\" + path.substr(std::min(path.size(), hostEnd + 4));
    return path;
}

// "\\?\C:\x" and "\\.\C:\x" as "C:\x", "\\?\UNC\server\share" as "\\server\share"; nothing for other device
// paths.
std::optional<std::string> WithoutDevicePrefix(const std::string& path)
{
    if (const std::optional<std::string> unc = After(path, "\\\\?\\UNC\\")) return "\\\\" + *unc;
    for (const char* prefix : {"\\\\?\\", "\\\\.\\", "\\??\\"}) {
        if (const std::optional<std::string> rest = After(path, prefix)) {
            if (rest->size() >= 2 && std::isalpha(static_cast<unsigned char>((*rest)[0])) && (*rest)[1] == ':')
                return rest;
            return std::nullopt;
        }
    }
    return path;
}

}  // namespace

std::optional<std::string> CanonicalPath(const std::string& path)
{
    TLongNames names;
    return CanonicalPath(path, names);
}

std::optional<std::string> CanonicalPath(const std::string& path, TLongNames& names)
{
    const std::optional<std::string> plain = WithoutDevicePrefix(path);
    if (!plain) return std::nullopt;
    const std::optional<std::string> full = ResolvedPath(WithoutAdministrativeShare(*plain));
    if (!full) return std::nullopt;
    const std::string identity = PathIdentity(names.LongForm(*full));
    if (!IsAbsolutePath(identity + "\\")) return std::nullopt;
    return identity;
}
