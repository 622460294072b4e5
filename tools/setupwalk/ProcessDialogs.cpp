#include "ProcessDialogs.h"

#include "WindowQuery.h"
#include "port/Exception.h"

#include <strings.h>

namespace {

bool IsButton(HWND window)
{
    return strcasecmp(WindowClassName(window).c_str(), "Button") == 0;
}

bool IsEdit(HWND window)
{
    return strcasecmp(WindowClassName(window).c_str(), "Edit") == 0;
}

bool HasOwnButton(HWND window)
{
    for (HWND child : DirectChildren(window))
        if (IsButton(child) && IsWindowVisible(child) != FALSE) return true;
    return false;
}

// Texts are read only from a dialog: a program busy in a long handler answers WM_GETTEXT late, and the
// screen is asked often while the driver waits for a page.
std::optional<ProcessDialog> ReadDialog(HWND window)
{
    if (!HasOwnButton(window)) return std::nullopt;
    ProcessDialog dialog{window, WindowText(window), "", {}};
    for (HWND child : DirectChildren(window)) {
        if (IsWindowVisible(child) == FALSE) continue;
        const std::string text = WindowText(child);
        if (IsButton(child)) {
            dialog.Buttons.push_back(WithoutAccessMark(text));
        } else if (!IsEdit(child) && !text.empty()) {
            dialog.Message += (dialog.Message.empty() ? "" : "\n") + text;
        }
    }
    return dialog;
}

}  // namespace

std::optional<ProcessDialog> FindDialog(const DrivenProcess& process)
{
    for (HWND window : process.VisibleWindows()) {
        if (std::optional<ProcessDialog> dialog = ReadDialog(window)) return dialog;
    }
    return std::nullopt;
}

void PressButton(const ProcessDialog& dialog, const std::string& caption)
{
    for (HWND child : DirectChildren(dialog.Window)) {
        if (IsButton(child) && IsWindowVisible(child) != FALSE && WithoutAccessMark(WindowText(child)) == caption) {
            PostMessageA(child, BM_CLICK, 0, 0);
            return;
        }
    }
    throw Exception("No button \"" + caption + "\" in the dialog \"" + dialog.Caption + "\": " + dialog.Message);
}
