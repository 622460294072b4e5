#pragma once
#include <windows.h>

#include <string>

// The system's list of what to rename or delete at the next restart (REG_MULTI_SZ), put back exactly as it
// was when the test ends, in UTF-16 as the system keeps it.
class SavedPendingRenames {
public:
    SavedPendingRenames() : before_(Read()) {}
    ~SavedPendingRenames() { Write(before_); }
    SavedPendingRenames(const SavedPendingRenames&) = delete;
    SavedPendingRenames& operator=(const SavedPendingRenames&) = delete;

    // What was added since the test began: source and target, each ended by NUL (no target: delete).
    std::wstring AddedWide() const
    {
        const std::wstring now = Read();
        const std::size_t kept = before_.empty() ? 0 : before_.size() - 1;
        return now.size() > kept ? now.substr(kept, now.size() - kept - 1) : L"";
    }
    // The same in this program's code page.
    std::string Added() const
    {
        const std::wstring added = AddedWide();
        std::string narrow(added.size(), '\0');
        for (std::size_t i = 0; i < added.size(); ++i) narrow[i] = static_cast<char>(added[i] < 0x80 ? added[i] : '?');
        return narrow;
    }

    // Adds an operation as another program would: source deleted at the restart when target is empty.
    static void Append(const std::wstring& source, const std::wstring& target)
    {
        std::wstring data = Read();
        if (!data.empty()) data.pop_back();  // the empty string that ends the list
        Write(data + source + L'\0' + target + L'\0' + L'\0');
    }

    static void Write(const std::wstring& data)
    {
        if (data.empty())
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, kValue);
        else
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, kValue, REG_MULTI_SZ, data.data(),
                            static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    }

    static std::wstring Read()
    {
        DWORD size = 0;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size)) return {};
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        RegGetValueW(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &size);
        data.resize(size / sizeof(wchar_t));
        return data;
    }

private:
    static constexpr const wchar_t* kKey = L"System\\CurrentControlSet\\Control\\Session Manager";
    static constexpr const wchar_t* kValue = L"PendingFileRenameOperations";

    std::wstring before_;
};

