#pragma once
// The default destination directory from the "Main Directory" setting.
#include <string>

// A plain name goes below base (ProgramsBase in app/product/RunScope.h). A setting that begins exactly with "HKEY_" is
// a registry reference "root,key,value name,fallback": the directory is that string value, used unchanged; when the key
// is missing, or the value is missing, empty or not a string, it is the fallback placed as a plain
// name would be. The root is HKEY_LOCAL_MACHINE when the first field is exactly that, else
// HKEY_CURRENT_USER. The key is opened for reading only and never created.
// Whether the setting is a registry reference: it begins exactly with "HKEY_".
bool IsRegistryReference(const std::string& mainDirectory);

std::string ResolveMainDirectory(const std::string& mainDirectory, const std::string& base);
