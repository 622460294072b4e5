#include "shell/Shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "shell/FileRoutines.h"
#include "shell/ShellFolders.h"

namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// COM for the length of one call, and the link object with the two interfaces the saves need.
class TShellLink {
public:
    TShellLink()
    {
        initialised_ = SUCCEEDED(CoInitialize(nullptr));
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link_))) ||
            FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) {
            Release();
            throw Exception("Unable to create a shell link");
        }
    }
    ~TShellLink() { Release(); }
    TShellLink(const TShellLink&) = delete;
    TShellLink& operator=(const TShellLink&) = delete;

    IShellLinkA& Link() { return *link_; }
    bool SaveAs(const std::string& path) { return SUCCEEDED(file_->Save(Wide(path).c_str(), FALSE)); }

private:
    void Release()
    {
        if (file_ != nullptr) file_->Release();
        if (link_ != nullptr) link_->Release();
        file_ = nullptr;
        link_ = nullptr;
        if (initialised_) CoUninitialize();
        initialised_ = false;
    }

    bool initialised_ = false;
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

}  // namespace

TShortcuts::TShortcuts()
{
    ScanProgramFolders();
}

std::string TShortcuts::QuickLaunchDir()
{
    return WindowsDir() + "\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\";
}

std::string TShortcuts::FolderPath(const std::string& location) const
{
    // Without a folder the shortcut goes into the shell folder itself, not into a "\\" path.
    return Folder.empty() ? location : location + Folder + "\\";
}

void TShortcuts::ScanProgramFolders()
{
    FolderList.clear();
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileExA((ShellFolderPath(sfPrograms) + "*.*").c_str(), FindExInfoStandard, &found,
                                           FindExSearchLimitToDirectories, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (!name.starts_with('.') && UpperCase(name).find(".LNK") == std::string::npos) FolderList.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::vector<std::string> TShortcuts::CreateShortcuts() const
{
    TShellLink shellLink;
    IShellLinkA& link = shellLink.Link();
    link.SetPath(RunProgram.c_str());
    link.SetWorkingDirectory(DirectoryPart(RunProgram).c_str());
    link.SetIconLocation(IconFile.c_str(), 0);

    const std::string fileName = ProgramName + ".lnk";
    std::vector<std::string> unsaved;
    const auto save = [&](const std::string& path) {
        if (!shellLink.SaveAs(path)) unsaved.push_back(path);
    };
    const auto saveInFolder = [&](const std::string& location) {
        const std::string folder = FolderPath(location);
        CreateDirectoryPath(folder);
        save(folder + fileName);
    };
    if (FolderDesktop) saveInFolder(ShellFolderPath(sfDesktop));
    saveInFolder(ShellFolderPath(sfPrograms));
    if (FolderStartMenu) saveInFolder(ShellFolderPath(sfStartMenu));
    if (FolderQuickLaunch) saveInFolder(QuickLaunchDir());

    if (Desktop) save(ShellFolderPath(sfDesktop) + fileName);
    if (StartMenu) save(ShellFolderPath(sfStartMenu) + fileName);
    if (QuickLaunch) save(QuickLaunchDir() + fileName);
    return unsaved;
}
