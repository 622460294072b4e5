#include "shell/SignatureCheck.h"

#include <windows.h>

#include <algorithm>

#include <softpub.h>
#include <wintrust.h>

#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/SystemDll.h"

namespace {

using TWinVerifyTrust = LONG(WINAPI*)(HWND, GUID*, LPVOID);

// The system's text for the result, and its number.
std::string ResultText(LONG result)
{
    SetLastError(static_cast<DWORD>(result));
    const std::string reason = port::LastSystemError();
    const std::string number = "0x" + HexDigits(static_cast<unsigned long>(result), 8);
    return reason.empty() ? "error " + number : reason + " (" + number + ")";
}

}  // namespace

std::string SignatureProblem(void* fileHandle, const std::string& path)
{
    TWinVerifyTrust verify = nullptr;
    const HMODULE wintrust = LoadSystemDll(L"wintrust.dll");
    if (wintrust == nullptr || !ResolveFunction(wintrust, "WinVerifyTrust", verify))
        return "the system's signature check is not available";

    std::wstring name(path.size() + 1, L'\0');  // for the system's messages only: the handle is what is read
    name.resize(static_cast<std::size_t>(
        std::max(0, MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, name.data(), static_cast<int>(name.size())) - 1)));
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = name.c_str();
    file.hFile = fileHandle;
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;  // no network: a setup must run on a machine without one
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result == ERROR_SUCCESS ? "" : ResultText(result);
}
