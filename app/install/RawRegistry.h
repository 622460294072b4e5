#pragma once
// Registry values as the system keeps them, type and bytes, so that the journal can put back exactly what a
// write replaced, whatever its type.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct TRawValue {
    DWORD Type = REG_SZ;
    std::vector<unsigned char> Data;
};

struct TRawKey {
    std::string Path;                                       // below the root
    std::vector<std::pair<std::string, TRawValue>> Values;  // name, value
};

bool RawKeyExists(HKEY root, const std::string& path);

// Nothing when the key or the value is not there.
std::optional<TRawValue> ReadRawValue(HKEY root, const std::string& path, const std::string& name);

// Creates the key as needed; false when the system refuses.
bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, const TRawValue& value);

// True when the value is gone, or was never there.
bool DeleteRawValue(HKEY root, const std::string& path, const std::string& name);

// Creates the key as needed; false when the system refuses.
bool CreateRawKey(HKEY root, const std::string& path);

// Deletes the key when it holds no subkey and no value; true when it is gone.
bool DeleteKeyIfEmpty(HKEY root, const std::string& path);

// The key and every key below it, each with its values, parents before their subkeys.
std::vector<TRawKey> ReadKeyTree(HKEY root, const std::string& path);
