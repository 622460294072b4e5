#pragma once
// One open registry key below a root key, over advapi32.
// Key paths are always taken from the root key; a leading "\" is allowed and means the same.
// Reading forgives: a missing key or value reads as nothing. REG_SZ values are read as they are,
// REG_EXPAND_SZ values with their environment variables expanded; a value of any other type
// reads as missing. Writing raises ERegistryException naming the key and value.
// Self-contained: no other toolkit file is needed.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "port/Exception.h"

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(HKEY rootKey = HKEY_CURRENT_USER) : rootKey_(rootKey) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Closes the open key first.
    void SetRootKey(HKEY rootKey);

    // Opens key for reading and writing; with canCreate it is created (with its parents) when missing.
    bool OpenKey(const std::string& key, bool canCreate);
    // Opens an existing key for reading only (enough where the user may not write, as in HKEY_LOCAL_MACHINE).
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool HasOpenKey() const { return currentKey_ != nullptr; }
    const std::string& CurrentPath() const { return currentPath_; }

    bool KeyExists(const std::string& key) const;
    // Creates key with its parents, leaving the open key as it was; true when it exists afterwards.
    bool CreateKey(const std::string& key);
    // Deletes key with all its subkeys; false when it is missing or cannot be removed.
    bool DeleteKey(const std::string& key);
    // Deletes key only when it holds no subkey and no value; true when it was deleted.
    bool DeleteEmptyKey(const std::string& key);

    // Of the open key: the text of a string value, "" when it is missing or not a string.
    std::string ReadString(const std::string& name) const;
    bool ValueExists(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, std::uint32_t value);  // REG_DWORD
    bool DeleteValue(const std::string& name);
    // The names of the open key's subkeys.
    std::vector<std::string> GetKeyNames() const;

private:
    HKEY rootKey_;
    HKEY currentKey_ = nullptr;
    std::string currentPath_;
};
