#include "ui/dialogs/BrowseDialog.h"

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
    char path[MAX_PATH + 1] = {};
    if (list == nullptr || SHGetPathFromIDListA(list, path) == FALSE) return "";
    return path;
}

std::string DisplayNameOfIdList(LPCITEMIDLIST list)
{
    SHFILEINFOA info{};
    if (list == nullptr ||
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME) == 0)
        return "";
    return info.szDisplayName;
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
    const int length = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, text.data(), length + 1)));
    return text;
}

// OK with a typed directory: an existing one is taken, a new one is created after the user agrees. false keeps
// the dialog open. The dialog's own validation is not relied on, since not every shell offers it.
bool TakeTypedDirectory(HWND dialog, TBrowseState& state)
{
    const std::string typed = EditBoxText(dialog);
    if (typed.empty() || typed == state.selectedName || typed == state.selected) return true;
    const std::string directory = ResolveTypedDirectory(typed, state.selected);
    if (directory.empty()) return true;  // a name with nothing to resolve it against: the selection stands
    if (directory.size() >= MAX_PATH) {
        ShowMessage("\"" + typed + "\" is not a valid directory name.");
        return false;
    }
    if (GetFileAttributesA(directory.c_str()) != INVALID_FILE_ATTRIBUTES) {
        state.typed = directory;
        return true;
    }
    if (!Confirm("The directory " + directory + " does not exist.\r\nDo you want to create it?")) return false;
    const int result = SHCreateDirectoryExA(dialog, directory.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) {
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
                SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state.initial.c_str()));
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
    char displayName[MAX_PATH + 1] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    // The new style has the edit box and a button for a new folder; it needs OLE on this thread.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    const bool oleStarted = SUCCEEDED(OleInitialize(nullptr));
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (oleStarted) OleUninitialize();
    std::string path = PathOfIdList(chosen);
    if (chosen != nullptr) CoTaskMemFree(chosen);
    if (chosen == nullptr) return std::nullopt;
    if (state.typed) return state.typed;
    if (path.empty()) return std::nullopt;
    return WithoutTrailingBackslash(path);
}
