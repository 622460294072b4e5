#include "ui/BrowseDialog.h"

#include "ui/Dialogs.h"

#include <shlobj.h>

namespace {

struct TBrowseState {
    std::string initial;
    std::string selected;
    std::optional<std::string> created;
};

std::string PathOfIdList(LPCITEMIDLIST list)
{
    char path[MAX_PATH + 1] = {};
    if (list == nullptr || SHGetPathFromIDListA(list, path) == FALSE) return "";
    return path;
}

// The user typed a directory that does not exist: offer to create it, and keep the dialog open otherwise.
int OfferToCreate(HWND dialog, TBrowseState& state, const char* typed)
{
    const std::string directory = ResolveTypedDirectory(typed, state.selected);
    if (directory.empty() || directory.size() >= MAX_PATH) {
        ShowMessage("\"" + std::string(typed) + "\" is not a valid directory name.");
        return 1;
    }
    if (!Confirm("The directory " + directory + " does not exist.\r\nDo you want to create it?"))
        return 1;
    const int result = SHCreateDirectoryExA(dialog, directory.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) {
        ShowMessage("The directory " + directory + " cannot be created.");
        return 1;
    }
    state.created = directory;
    return 0;
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data)
{
    auto& state = *reinterpret_cast<TBrowseState*>(data);
    switch (message) {
        case BFFM_INITIALIZED:
            if (!state.initial.empty())
                SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state.initial.c_str()));
            return 0;
        case BFFM_SELCHANGED:
            state.selected = PathOfIdList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            return 0;
        case BFFM_VALIDATEFAILEDA:
            return OfferToCreate(dialog, state, reinterpret_cast<const char*>(lParam));
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
    TBrowseState state{WithoutTrailingBackslash(initial), "", std::nullopt};
    char displayName[MAX_PATH + 1] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    std::string path = PathOfIdList(chosen);
    if (chosen != nullptr) CoTaskMemFree(chosen);
    if (state.created) return state.created;
    if (chosen == nullptr || path.empty()) return std::nullopt;
    return WithoutTrailingBackslash(path);
}
