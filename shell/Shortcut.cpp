#include "shell/Shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/win32/WideText.h"
#include "shell/FileRoutines.h"
#include "shell/ShellFolders.h"

namespace {

// The shell keeps a link's target, folder and icon in MAX_PATH characters: a longer one would be cut, and the
// shortcut would lead elsewhere.
bool FitsTheShell(const std::string& path)
{
    return port::Widened(path).size() < MAX_PATH;
}

// COM for the length of one call, and the link object with the two interfaces the saves need.
class TShellLink {
public:
    TShellLink()
    {
        initialised_ = SUCCEEDED(CoInitialize(nullptr));
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link_))) ||
            FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) {
            Release();
            throw Exception("Unable to create a shell link");
        }
    }
    ~TShellLink() { Release(); }
    TShellLink(const TShellLink&) = delete;
    TShellLink& operator=(const TShellLink&) = delete;

    IShellLinkW& Link() { return *link_; }
    bool SaveAs(const std::string& path) { return SUCCEEDED(file_->Save(port::Widened(path).c_str(), FALSE)); }

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
    IShellLinkW* link_ = nullptr;
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

std::string TShortcuts::Location(TShellFolderKind kind) const
{
    return AllUsers ? CommonShellFolderPath(kind) : ShellFolderPath(kind);
}

std::string TShortcuts::FolderPath(const std::string& location) const
{
    // Without a folder the shortcut goes into the shell folder itself, not into a "\\" path.
    return Folder.empty() ? location : location + Folder + "\\";
}

void TShortcuts::ScanProgramFolders()
{
    FolderList.clear();
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(port::SystemPath(ShellFolderPath(sfPrograms) + "*.*").c_str(),
                                           FindExInfoStandard, &found, FindExSearchLimitToDirectories, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = port::Narrowed(found.cFileName);
        if (!name.starts_with('.') && UpperCase(name).find(".LNK") == std::string::npos) FolderList.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::vector<std::string> TShortcuts::CreateShortcuts() const
{
    TShellLink shellLink;
    IShellLinkW& link = shellLink.Link();
    const bool fits = FitsTheShell(RunProgram) && FitsTheShell(IconFile);
    link.SetPath(port::Widened(RunProgram).c_str());
    link.SetWorkingDirectory(port::Widened(DirectoryPart(RunProgram)).c_str());
    link.SetIconLocation(port::Widened(IconFile).c_str(), 0);

    const std::string fileName = ProgramName + ".lnk";
    std::vector<std::string> unsaved;
    const auto save = [&](const std::string& path) {
        if (!fits || !shellLink.SaveAs(path)) unsaved.push_back(path);
    };
    const auto saveInFolder = [&](const std::string& location) {
        const std::string folder = FolderPath(location);
        CreateDirectoryPath(folder);
        save(folder + fileName);
    };
    if (FolderDesktop) saveInFolder(Location(sfDesktop));
    saveInFolder(Location(sfPrograms));
    if (FolderStartMenu) saveInFolder(Location(sfStartMenu));
    if (FolderQuickLaunch) saveInFolder(QuickLaunchDir());

    if (Desktop) save(Location(sfDesktop) + fileName);
    if (StartMenu) save(Location(sfStartMenu) + fileName);
    if (QuickLaunch) save(QuickLaunchDir() + fileName);
    return unsaved;
}
