#pragma once
// An uninstall entry under HKEY_LOCAL_MACHINE for one test, removed afterwards.
#include "app/run/RunMode.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// The entry an uninstall of title finds, as the run modes find it.
inline std::optional<TUninstallEntry> FoundUninstallEntry(const std::string& title)
{
    const std::vector<TUninstallEntry> entries = FindUninstallEntries(title);
    return entries.empty() ? std::nullopt : std::optional<TUninstallEntry>(entries.front());
}

class UninstallEntry {
public:
    explicit UninstallEntry(std::string title) : path_(std::string(kUninstallKeyPrefix) + title)
    {
        TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(path_);
    }
    ~UninstallEntry() { TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(path_); }
    UninstallEntry(const UninstallEntry&) = delete;
    UninstallEntry& operator=(const UninstallEntry&) = delete;

    void Write(const std::string& name, const std::string& value, DWORD type = REG_SZ) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            0);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  0);
        RegCloseKey(key);
    }

private:
    std::string path_;
};
