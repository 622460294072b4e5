#pragma once
#include <windows.h>

#include <string>

// The system's list of what to rename or delete at the next restart (REG_MULTI_SZ), put back as it
// was when the test ends.
class SavedPendingRenames {
public:
    SavedPendingRenames() : before_(Read()) {}
    ~SavedPendingRenames() { Write(before_); }
    SavedPendingRenames(const SavedPendingRenames&) = delete;
    SavedPendingRenames& operator=(const SavedPendingRenames&) = delete;

    // What was added since the test began: source and target, each ended by NUL (no target: delete).
    std::string Added() const
    {
        const std::string now = Read();
        const std::size_t kept = before_.empty() ? 0 : before_.size() - 1;
        return now.size() > kept ? now.substr(kept, now.size() - kept - 1) : "";
    }

private:
    static constexpr const char* kKey = "System\\CurrentControlSet\\Control\\Session Manager";
    static constexpr const char* kValue = "PendingFileRenameOperations";

    static std::string Read()
    {
        DWORD size = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size)) return {};
        std::string data(size, '\0');
        RegGetValueA(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &size);
        data.resize(size);
        return data;
    }

    static void Write(const std::string& data)
    {
        if (data.empty())
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kKey, kValue);
        else
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, kKey, kValue, REG_MULTI_SZ, data.data(),
                            static_cast<DWORD>(data.size()));
    }

    std::string before_;
};

