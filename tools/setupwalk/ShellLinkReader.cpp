#include "ShellLinkReader.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace {

std::wstring Widened(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

std::optional<ShellLinkContents> Load(IShellLinkA& link, IPersistFile& file, const std::string& path)
{
    if (FAILED(file.Load(Widened(path).c_str(), STGM_READ))) return std::nullopt;
    ShellLinkContents contents;
    char buffer[MAX_PATH] = {};
    if (SUCCEEDED(link.GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) contents.Target = buffer;
    buffer[0] = '\0';
    if (SUCCEEDED(link.GetWorkingDirectory(buffer, MAX_PATH))) contents.WorkingDirectory = buffer;
    buffer[0] = '\0';
    int icon = 0;
    if (SUCCEEDED(link.GetIconLocation(buffer, MAX_PATH, &icon))) contents.IconFile = buffer;
    return contents;
}

}  // namespace

std::optional<ShellLinkContents> ReadShellLink(const std::string& path)
{
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    std::optional<ShellLinkContents> contents;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        contents = Load(*link, *file, path);
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    if (initialised) CoUninitialize();
    return contents;
}
