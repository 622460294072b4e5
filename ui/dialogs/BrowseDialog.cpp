#include "ui/dialogs/BrowseDialog.h"

#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/FileRoutines.h"
#include "ui/CommonControls.h"
#include "ui/dialogs/Dialogs.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

namespace {

struct TBrowseState {
    std::string initial;
    std::string selected;      // the path of the folder selected in the tree
    std::string selectedName;  // its display name, which the edit box shows until the user types
    std::optional<std::string> typed;
};

std::string PathOfIdList(LPCITEMIDLIST list)
{
    // The longest path the system names; the shell's MAX_PATH form would cut a long one.
    std::wstring path(32768, L'\0');
    if (list == nullptr ||
        SHGetPathFromIDListEx(list, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) == FALSE)
        return "";
    path.resize(path.find(L'\0'));
    return port::Narrowed(path);
}

std::string DisplayNameOfIdList(LPCITEMIDLIST list)
{
    SHFILEINFOW info{};
    if (list == nullptr ||
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME) == 0)
        return "";
    return port::Narrowed(info.szDisplayName);
}

BOOL CALLBACK FindEditBox(HWND child, LPARAM found)
{
    char className[8] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The edit box may sit inside a panel of the dialog.
std::string EditBoxText(HWND dialog)
{
    HWND edit = nullptr;
    EnumChildWindows(dialog, FindEditBox, reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr) return "";
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    return port::Narrowed(text);
}

// OK with a typed directory: an existing one is taken, a new one is created after the user agrees. false keeps
// the dialog open. The dialog's own validation is not relied on, since not every shell offers it.
bool TakeTypedDirectory(HWND dialog, TBrowseState& state)
{
    const std::string typed = EditBoxText(dialog);
    if (typed.empty() || typed == state.selectedName || typed == state.selected) return true;
    const std::string directory = ResolveTypedDirectory(typed, state.selected);
    if (directory.empty()) return true;  // a name with nothing to resolve it against: the selection stands
    if (port::IsDirectory(directory)) {
        state.typed = directory;
        return true;
    }
    if (port::FileExists(directory)) {
        ShowMessage("\"" + typed + "\" is not a valid directory name.");
        return false;
    }
    if (!Confirm("The directory " + directory + " does not exist.\r\nDo you want to create it?")) return false;
    CreateDirectoryPath(directory);
    if (!port::IsDirectory(directory)) {
        ShowMessage("The directory " + directory + " cannot be created.");
        return false;
    }
    state.typed = directory;
    return true;
}

LRESULT CALLBACK BrowseDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK &&
        !TakeTypedDirectory(dialog, *reinterpret_cast<TBrowseState*>(data)))
        return 0;
    const TCommonControls& controls = *CommonControls();  // loaded, since the dialog is subclassed
    if (message == WM_NCDESTROY) controls.RemoveWindowSubclass(dialog, BrowseDialogProc, 1);
    return controls.DefSubclassProc(dialog, message, wParam, lParam);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data)
{
    auto& state = *reinterpret_cast<TBrowseState*>(data);
    switch (message) {
        case BFFM_INITIALIZED:
            if (const TCommonControls* controls = CommonControls())
                controls->SetWindowSubclass(dialog, BrowseDialogProc, 1, static_cast<DWORD_PTR>(data));
            if (!state.initial.empty())
                SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                             reinterpret_cast<LPARAM>(port::Widened(state.initial).c_str()));
            return 0;
        case BFFM_SELCHANGED:
            state.selected = PathOfIdList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            state.selectedName = DisplayNameOfIdList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            return 0;
        default:
            return 0;
    }
}

std::string WithoutTrailingBackslash(std::string path)
{
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

std::string ResolveTypedDirectory(const std::string& typed, const std::string& selected)
{
    if (typed.empty()) return "";
    const bool absolute = (typed.size() >= 2 && typed[1] == ':') || typed[0] == '\\';
    if (absolute) return WithoutTrailingBackslash(typed);
    if (selected.empty()) return "";
    return WithoutTrailingBackslash(selected + (selected.back() == '\\' ? "" : "\\") + typed);
}

std::optional<std::string> BrowseForDirectory(HWND owner, const std::string& title, const std::string& initial)
{
    TBrowseState state{WithoutTrailingBackslash(initial), "", "", std::nullopt};
    // The folder's display name, which the shell writes through MAX_PATH characters; the path comes from the list.
    std::wstring displayName(MAX_PATH + 1, L'\0');
    const std::wstring wideTitle = port::Widened(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName.data();
    info.lpszTitle = wideTitle.c_str();
    // The new style has the edit box and a button for a new folder; it needs OLE on this thread.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    const bool oleStarted = SUCCEEDED(OleInitialize(nullptr));
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (oleStarted) OleUninitialize();
    std::string path = PathOfIdList(chosen);
    if (chosen != nullptr) CoTaskMemFree(chosen);
    if (chosen == nullptr) return std::nullopt;
    if (state.typed) return state.typed;
    if (path.empty()) return std::nullopt;
    return WithoutTrailingBackslash(path);
}
