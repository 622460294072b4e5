#include "app/install/RawRegistry.h"

#include "port/win32/WideText.h"
#include "settings/RegistryView.h"

namespace {

class TOpenKey {
public:
    TOpenKey(HKEY root, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExW(root, port::Widened(path).c_str(), 0, access | RegistryView(), &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~TOpenKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;

    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::optional<TRawValue> QueryValue(HKEY key, const std::wstring& name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    TRawValue value{type, std::vector<unsigned char>(size)};
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, value.Data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    return value;
}

// The names of the key's subkeys, or of its values; registry names are at most 16,383 characters.
std::vector<std::wstring> NamesIn(HKEY key, bool values)
{
    std::vector<std::wstring> names;
    std::wstring name(16384, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status =
            values ? RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
                   : RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

void AddKeyTree(HKEY root, const std::string& path, std::vector<TRawKey>& tree)
{
    const TOpenKey key(root, path, KEY_READ);
    if (key.Handle() == nullptr) return;
    TRawKey raw{path, {}};
    for (const std::wstring& name : NamesIn(key.Handle(), true))
        if (const std::optional<TRawValue> value = QueryValue(key.Handle(), name))
            raw.Values.emplace_back(port::Narrowed(name), *value);
    tree.push_back(std::move(raw));
    for (const std::wstring& subkey : NamesIn(key.Handle(), false))
        AddKeyTree(root, path + "\\" + port::Narrowed(subkey), tree);
}

}  // namespace

bool RawKeyExists(HKEY root, const std::string& path)
{
    return TOpenKey(root, path, KEY_READ).Handle() != nullptr;
}

std::optional<TRawValue> ReadRawValue(HKEY root, const std::string& path, const std::string& name)
{
    const TOpenKey key(root, path, KEY_QUERY_VALUE);
    if (key.Handle() == nullptr) return std::nullopt;
    return QueryValue(key.Handle(), port::Widened(name));
}

bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, const TRawValue& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, port::Widened(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE | RegistryView(), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, port::Widened(name).c_str(), 0, value.Type, value.Data.data(),
                                        static_cast<DWORD>(value.Data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

bool DeleteRawValue(HKEY root, const std::string& path, const std::string& name)
{
    const TOpenKey key(root, path, KEY_SET_VALUE | KEY_QUERY_VALUE);
    if (key.Handle() == nullptr) return true;
    const LSTATUS status = RegDeleteValueW(key.Handle(), port::Widened(name).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool CreateRawKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, port::Widened(path).c_str(), 0, nullptr, 0, KEY_READ | RegistryView(), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool DeleteKeyIfEmpty(HKEY root, const std::string& path)
{
    {
        const TOpenKey key(root, path, KEY_READ);
        if (key.Handle() == nullptr) return true;
        DWORD subkeys = 0;
        DWORD values = 0;
        if (RegQueryInfoKeyW(key.Handle(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subkeys != 0 || values != 0)
            return false;
    }
    return RegDeleteKeyExW(root, port::Widened(path).c_str(), RegistryView(), 0) == ERROR_SUCCESS;
}

std::vector<TRawKey> ReadKeyTree(HKEY root, const std::string& path)
{
    std::vector<TRawKey> tree;
    AddKeyTree(root, path, tree);
    return tree;
}
