#include "ui/controls/DirectoryEdit.h"

#include "ui/dialogs/BrowseDialog.h"

namespace {
constexpr int kButtonWidth = 25;
}

TDirectoryEdit::TDirectoryEdit(TWindow& parent, int id, int buttonId)
    : TEdit(parent, id), button_(parent, buttonId, "...")
{
    button_.OnClick = [this] { Browse(); };
}

void TDirectoryEdit::SetBounds(int left, int top, int width, int height)
{
    TEdit::SetBounds(left, top, width - kButtonWidth, height);
    button_.SetBounds(left + width - kButtonWidth, top, kButtonWidth, height);
}

void TDirectoryEdit::SetVisible(bool visible)
{
    TEdit::SetVisible(visible);
    button_.SetVisible(visible);
}

void TDirectoryEdit::Browse()
{
    std::optional<std::string> chosen =
        BrowseForDirectory(GetAncestor(Handle(), GA_ROOT), "Select a directory", Text());
    if (!chosen) return;
    std::string name = *chosen;
    bool action = true;
    if (OnAfterDialog) OnAfterDialog(name, action);
    if (action) SetText(name);
}
