#include "SetupDriver.h"

#include "WindowQuery.h"
#include "app/screen/WizardPages.h"
#include "port/Exception.h"

#include <commctrl.h>

SetupDriver::SetupDriver(const std::string& commandLine, const std::string& directory, DWORD patienceMs)
    : process_(commandLine, directory), patienceMs_(patienceMs)
{
}

void SetupDriver::WaitForScreen(const std::string& title)
{
    const bool shown = WaitUntil(
        [&] {
            for (HWND window : process_.VisibleWindows()) {
                if (WindowText(window) == title && DescendantWithId(window, ControlId::Notebook1) != nullptr) {
                    screen_ = window;
                    return true;
                }
            }
            return !process_.Running() || FindDialog(process_).has_value();
        },
        patienceMs_);
    if (!shown || screen_ == nullptr) Fail("the screen \"" + title + "\"");
}

int SetupDriver::ShownPage() const
{
    for (const TWizardPageRow& page : kWizardPages) {
        HWND window = DescendantWithId(screen_, page.controlId);
        if (window != nullptr && IsWindowVisible(window) != FALSE) return page.controlId;
    }
    return 0;
}

std::string SetupDriver::PageName(int page) const
{
    return page == 0 ? "(none)" : WindowText(Control(page));
}

void SetupDriver::WaitForPage(int page)
{
    const bool shown =
        WaitUntil([&] { return ShownPage() == page || !process_.Running() || FindDialog(process_); }, patienceMs_);
    if (!shown || ShownPage() != page) Fail("page " + PageName(page));
}

int SetupDriver::WaitForPageOtherThan(int page)
{
    const bool moved = WaitUntil(
        [&] {
            const int shown = ShownPage();
            return (shown != 0 && shown != page) || !process_.Running() || FindDialog(process_);
        },
        patienceMs_);
    if (!process_.Running()) return 0;
    if (!moved || FindDialog(process_)) Fail("the page after " + PageName(page));
    return ShownPage();
}

std::string SetupDriver::Caption(int id) const
{
    return WindowText(Control(id));
}

bool SetupDriver::Visible(int id) const
{
    return IsWindowVisible(Control(id)) != FALSE;
}

void SetupDriver::Click(int id)
{
    // Posted: a click may start a handler that runs for minutes (the install page).
    PostMessageA(Control(id), BM_CLICK, 0, 0);
}

void SetupDriver::Type(int id, const std::string& text)
{
    HWND field = Control(id);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, patienceMs_,
                        &result);
    if (WindowText(field) != text) Fail("the text \"" + text + "\" in control " + std::to_string(id));
}

bool SetupDriver::Checked(int id) const
{
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetupDriver::SetChecked(int id, bool checked)
{
    if (Checked(id) == checked) return;
    PressKey(Control(id), VK_SPACE);
    if (!WaitUntil([&] { return Checked(id) == checked; }, patienceMs_))
        Fail("control " + std::to_string(id) + (checked ? " ticked" : " cleared"));
}

int SetupDriver::ListRows(int id) const
{
    return static_cast<int>(SendMessageA(Control(id), LVM_GETITEMCOUNT, 0, 0));
}

bool SetupDriver::ListRowChecked(int id, int row) const
{
    return ListRowMark(id, row) == 2;
}

void SetupDriver::SetListRowChecked(int id, int row, bool checked)
{
    const std::string what = "row " + std::to_string(row) + " of list " + std::to_string(id);
    if (row < 0 || !WaitUntil([&] { return ListReady(id, row + 1); }, patienceMs_)) Fail(what);
    if (ListRowChecked(id, row) != checked) {
        HWND list = Control(id);
        // Home focuses the first row, each Down the next one, Space toggles the focused row's check mark.
        PressKey(list, VK_HOME);
        for (int down = 0; down < row; ++down) PressKey(list, VK_DOWN);
        PressKey(list, VK_SPACE);
        if (!WaitUntil([&] { return ListRowChecked(id, row) == checked; }, patienceMs_))
            Fail(what + (checked ? " ticked" : " cleared"));
    }
    Settle();
    if (ListRowChecked(id, row) != checked) Fail(what + (checked ? " to stay ticked" : " to stay clear"));
}

void SetupDriver::WaitForListChecks(int id)
{
    if (!WaitUntil([&] { return ListReady(id, 0); }, patienceMs_))
        Fail("the check marks of every row of list " + std::to_string(id));
}

std::optional<ProcessDialog> SetupDriver::WaitForDialog(DWORD timeoutMs)
{
    std::optional<ProcessDialog> dialog;
    WaitUntil(
        [&] {
            dialog = FindDialog(process_);
            return dialog.has_value() || !process_.Running();
        },
        timeoutMs);
    return dialog;
}

void SetupDriver::Settle() const
{
    WaitUntil([&] { return !process_.Running() || WaitForInputIdle(process_.Handle(), 0) == 0; }, patienceMs_);
}

bool SetupDriver::ListReady(int id, int rows) const
{
    if ((SendMessageA(Control(id), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) == 0) return false;
    const int count = ListRows(id);
    if (count < rows) return false;
    for (int row = 0; row < count; ++row) {
        if (ListRowMark(id, row) == 0) return false;
    }
    return true;
}

UINT SetupDriver::ListRowMark(int id, int row) const
{
    const auto state = SendMessageA(Control(id), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12;
}

HWND SetupDriver::Control(int id) const
{
    HWND control = screen_ != nullptr ? DescendantWithId(screen_, id) : nullptr;
    if (control == nullptr) throw Exception("setup.exe has no control " + std::to_string(id) + " on its screen");
    return control;
}

void SetupDriver::PressKey(HWND window, UINT key) const
{
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000U));
}

void SetupDriver::Fail(const std::string& waitingFor) const
{
    std::string seen;
    if (std::optional<ProcessDialog> dialog = FindDialog(process_)) {
        seen = "it shows \"" + dialog->Caption + "\": " + dialog->Message;
    } else if (!process_.Running()) {
        seen = "it ended with code " + std::to_string(process_.WaitForExit(0));
    } else {
        const int page = screen_ != nullptr ? ShownPage() : 0;
        seen = page != 0 ? "it shows page " + WindowText(DescendantWithId(screen_, page)) : "it shows no page";
    }
    throw Exception("setup.exe: waited for " + waitingFor + "; " + seen);
}

std::string CommandLineOf(const std::string& program, const std::string& arguments)
{
    return "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
}
