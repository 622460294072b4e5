#include "settings/Registry.h"

#include "settings/RegistryView.h"

#include <algorithm>

namespace {

// Changing values do not make a read loop forever.
constexpr int kReadAttempts = 8;

std::string BelowRoot(const std::string& key)
{
    return !key.empty() && key.front() == '\\' ? key.substr(1) : key;
}

// The value's bytes and type; nothing when it is missing or cannot be read.
bool QueryValue(HKEY key, const std::string& name, DWORD& type, std::string& data)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        std::string buffer(size + 1, '\0');  // room for a terminator the stored value may lack
        DWORD got = static_cast<DWORD>(buffer.size());
        const LONG result =
            RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (result == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (result != ERROR_SUCCESS) return false;
        buffer.resize(std::min<std::size_t>(got, buffer.size()));
        data = std::move(buffer);
        return true;
    }
    return false;
}

std::string UpToFirstNul(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

std::string ExpandVariables(const std::string& text)
{
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < kReadAttempts && size != 0; ++attempt) {
        std::string buffer(size, '\0');
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size);
        if (needed == 0) break;
        if (needed <= size) return UpToFirstNul(buffer);
        size = needed;
    }
    return text;
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    std::string buffer(256, '\0');  // key names are at most 255 characters
    DWORD index = 0;
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG result = RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA && buffer.size() < 32768) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), std::min<std::size_t>(length, buffer.size()));
        ++index;
    }
    return names;
}

// Deletes parent\name after all of its subkeys.
bool DeleteTree(HKEY parent, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS | RegistryView(), &key) != ERROR_SUCCESS) return false;
    for (const std::string& subkey : SubkeyNames(key)) DeleteTree(key, subkey);
    RegCloseKey(key);
    return RegDeleteKeyExA(parent, name.c_str(), RegistryView(), 0) == ERROR_SUCCESS;
}

}  // namespace

void TRegistry::SetRootKey(HKEY rootKey)
{
    CloseKey();
    rootKey_ = rootKey;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    CloseKey();
    const std::string path = BelowRoot(key);
    HKEY opened = nullptr;
    const LONG result = canCreate ? RegCreateKeyExA(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                    KEY_ALL_ACCESS | RegistryView(), nullptr, &opened, nullptr)
                                  : RegOpenKeyExA(rootKey_, path.c_str(), 0, KEY_ALL_ACCESS | RegistryView(), &opened);
    if (result != ERROR_SUCCESS) return false;
    currentKey_ = opened;
    currentPath_ = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    CloseKey();
    const std::string path = BelowRoot(key);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(rootKey_, path.c_str(), 0, KEY_READ | RegistryView(), &opened) != ERROR_SUCCESS) return false;
    currentKey_ = opened;
    currentPath_ = path;
    return true;
}

void TRegistry::CloseKey()
{
    if (currentKey_ != nullptr) RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& key) const
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(rootKey_, BelowRoot(key).c_str(), 0, KEY_READ | RegistryView(), &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool TRegistry::CreateKey(const std::string& key)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(rootKey_, BelowRoot(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | RegistryView(), nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(created);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    // An empty path would name the root key itself and take every key below it.
    const std::string path = BelowRoot(key);
    if (path.empty()) return false;
    return DeleteTree(rootKey_, path);
}

bool TRegistry::DeleteEmptyKey(const std::string& key)
{
    const std::string path = BelowRoot(key);
    HKEY opened = nullptr;
    if (path.empty() || RegOpenKeyExA(rootKey_, path.c_str(), 0, KEY_READ | RegistryView(), &opened) != ERROR_SUCCESS)
        return false;
    DWORD subKeys = 0;
    DWORD values = 0;
    const bool empty = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subKeys == 0 && values == 0;
    RegCloseKey(opened);
    return empty && RegDeleteKeyExA(rootKey_, path.c_str(), RegistryView(), 0) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD type = REG_NONE;
    std::string data;
    if (currentKey_ == nullptr || !QueryValue(currentKey_, name, type, data)) return {};
    if (type == REG_SZ) return UpToFirstNul(data);
    if (type == REG_EXPAND_SZ) return ExpandVariables(UpToFirstNul(data));
    return {};
}

bool TRegistry::ValueExists(const std::string& name) const
{
    return currentKey_ != nullptr &&
           RegQueryValueExA(currentKey_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    const LONG result =
        currentKey_ == nullptr
            ? ERROR_INVALID_HANDLE
            : RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    if (result != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "' in '" + currentPath_ + "'");
}

void TRegistry::WriteInteger(const std::string& name, std::uint32_t value)
{
    const DWORD data = value;
    const LONG result = currentKey_ == nullptr ? ERROR_INVALID_HANDLE
                                               : RegSetValueExA(currentKey_, name.c_str(), 0, REG_DWORD,
                                                                reinterpret_cast<const BYTE*>(&data), sizeof data);
    if (result != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "' in '" + currentPath_ + "'");
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return currentKey_ != nullptr && RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetKeyNames() const
{
    return currentKey_ == nullptr ? std::vector<std::string>() : SubkeyNames(currentKey_);
}
