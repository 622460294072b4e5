#include "shell/PendingRenames.h"

#include <windows.h>

#include "config/TextFields.h"

namespace {

constexpr const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kValue = "PendingFileRenameOperations";

// One operation as the list holds it: the raw texts, kept as they were for what is written back.
struct TRawOperation {
    std::string Source;
    std::string Target;
};

// "\??\C:\x" and "\??\UNC\server\share\x" in the Win32 spelling; a leading "!" (replace) is not part of it.
std::string Win32Path(std::string path)
{
    if (!path.empty() && path.front() == '!') path.erase(0, 1);
    if (path.rfind("\\??\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
    if (path.rfind("\\??\\", 0) == 0) return path.substr(4);
    return path;
}

// The strings of a REG_MULTI_SZ, each ended by a NUL; the list ends at an empty string after the last
// pair, or where the data end.
std::vector<TRawOperation> ReadOperations()
{
    DWORD size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    std::string data(size, '\0');
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kValue, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    data.resize(size);
    std::vector<std::string> strings;
    std::size_t start = 0;
    while (start < data.size()) {
        const std::size_t end = std::min(data.find('\0', start), data.size());
        strings.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    // Sources are never empty; the empty strings at the end close the list.
    std::vector<TRawOperation> operations;
    for (std::size_t index = 0; index < strings.size(); index += 2) {
        if (strings[index].empty()) break;
        operations.push_back({strings[index], index + 1 < strings.size() ? strings[index + 1] : ""});
    }
    return operations;
}

bool WriteOperations(const std::vector<TRawOperation>& operations)
{
    if (operations.empty())
        return RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, kValue) == ERROR_SUCCESS;
    std::string data;
    for (const TRawOperation& operation : operations) {
        data += operation.Source;
        data += '\0';
        data += operation.Target;
        data += '\0';
    }
    data += '\0';
    return RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, kValue, REG_MULTI_SZ, data.data(),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

TPendingRename Win32Operation(const TRawOperation& operation)
{
    return {Win32Path(operation.Source), Win32Path(operation.Target)};
}

}  // namespace

std::vector<TPendingRename> PendingRenames()
{
    std::vector<TPendingRename> renames;
    for (const TRawOperation& operation : ReadOperations()) renames.push_back(Win32Operation(operation));
    return renames;
}

std::vector<TPendingRename> WithdrawPendingRenames(const std::function<bool(const TPendingRename&)>& withdraw)
{
    std::vector<TRawOperation> kept;
    std::vector<TPendingRename> withdrawn;
    for (const TRawOperation& operation : ReadOperations()) {
        const TPendingRename rename = Win32Operation(operation);
        if (withdraw(rename))
            withdrawn.push_back(rename);
        else
            kept.push_back(operation);
    }
    if (withdrawn.empty() || !WriteOperations(kept)) return {};
    return withdrawn;
}
