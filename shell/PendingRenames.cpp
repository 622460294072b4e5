#include "shell/PendingRenames.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "config/TextFields.h"

namespace {

constexpr const wchar_t* kSessionManager = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr const wchar_t* kValue = L"PendingFileRenameOperations";

// One operation as the list holds it: the raw texts, kept as they were for what is written back. The list is
// read and written in UTF-16, as the system keeps it: other programs' paths may hold characters that this
// program's code page cannot, and must come back unchanged.
struct TRawOperation {
    std::wstring Source;
    std::wstring Target;
};

// The text in this program's code page, or nothing when a character has no place there: such a path is not
// one this program wrote, and a lossy copy could be taken for one that it did.
std::optional<std::string> Narrow(const std::wstring& text)
{
    if (text.empty()) return std::string();
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                        nullptr, &lossy);
    return lossy ? std::nullopt : std::optional<std::string>(narrow);
}

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
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kValue, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    data.resize(size / sizeof(wchar_t));
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    while (start < data.size()) {
        const std::size_t end = std::min(data.find(L'\0', start), data.size());
        strings.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    // Sources are never empty; the empty strings at the end close the list.
    std::vector<TRawOperation> operations;
    for (std::size_t index = 0; index < strings.size(); index += 2) {
        if (strings[index].empty()) break;
        operations.push_back({strings[index], index + 1 < strings.size() ? strings[index + 1] : L""});
    }
    return operations;
}

bool WriteOperations(const std::vector<TRawOperation>& operations)
{
    if (operations.empty()) return RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSessionManager, kValue) == ERROR_SUCCESS;
    std::wstring data;
    for (const TRawOperation& operation : operations) {
        data += operation.Source;
        data += L'\0';
        data += operation.Target;
        data += L'\0';
    }
    data += L'\0';
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSessionManager, kValue, REG_MULTI_SZ, data.data(),
                           static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The operation in this program's strings; nothing when either path cannot be held by them.
std::optional<TPendingRename> Win32Operation(const TRawOperation& operation)
{
    const std::optional<std::string> source = Narrow(operation.Source);
    const std::optional<std::string> target = Narrow(operation.Target);
    if (!source || !target) return std::nullopt;
    return TPendingRename{Win32Path(*source), Win32Path(*target)};
}

}  // namespace

std::vector<TPendingRename> PendingRenames()
{
    std::vector<TPendingRename> renames;
    for (const TRawOperation& operation : ReadOperations())
        if (const std::optional<TPendingRename> rename = Win32Operation(operation)) renames.push_back(*rename);
    return renames;
}

std::vector<TPendingRename> WithdrawPendingRenames(const std::function<bool(const TPendingRename&)>& withdraw)
{
    std::vector<TRawOperation> kept;
    std::vector<TPendingRename> withdrawn;
    for (const TRawOperation& operation : ReadOperations()) {
        const std::optional<TPendingRename> rename = Win32Operation(operation);
        if (rename && withdraw(*rename))
            withdrawn.push_back(*rename);
        else
            kept.push_back(operation);
    }
    if (withdrawn.empty() || !WriteOperations(kept)) return {};
    return withdrawn;
}
