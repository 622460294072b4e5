#pragma once
// setup.exe driven as a user drives it, from another process: it waits for the setup screen and its
// pages (the notebook page that is visible), reads captions, clicks with posted BM_CLICK, types into
// fields, ticks check boxes and list rows with the space key, and finds the program's dialogs.
// Every wait polls up to a patience that suits Wine on a virtual display; a wait that runs out, a
// program that ends early or a dialog where a page was expected throws Exception saying what was seen.
#include "DrivenProcess.h"
#include "ProcessDialogs.h"

#include <optional>
#include <string>

class SetupDriver {
public:
    static constexpr DWORD kPatienceMs = 120000;

    SetupDriver(const std::string& commandLine, const std::string& directory, DWORD patienceMs = kPatienceMs);

    // The screen: the visible top-level window with this title that holds the wizard.
    void WaitForScreen(const std::string& title);
    HWND Screen() const { return screen_; }

    // The ControlId of the page the notebook shows, 0 while none is shown.
    int ShownPage() const;
    std::string PageName(int page) const;
    void WaitForPage(int page);
    // Waits until the notebook shows a page other than page and returns it, or 0 when the program ends.
    int WaitForPageOtherThan(int page);

    std::string Caption(int id) const;
    bool Visible(int id) const;
    void Click(int id);
    // The field's whole text replaced, as a user selecting it and typing would leave it.
    void Type(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);

    int ListRows(int id) const;
    bool ListRowChecked(int id, int row) const;
    // Acts once the list is ready and holds the row, and checks that the row keeps its new state once the
    // program waits for input again.
    void SetListRowChecked(int id, int row, bool checked);
    // Until the list is ready for input: it has its check boxes and every row its check mark. A row without
    // one is still being set up, and would look clear before the page ticks it.
    void WaitForListChecks(int id);

    std::optional<ProcessDialog> WaitForDialog(DWORD timeoutMs);
    // Until the program waits for input again, so that what it drew is on the screen.
    void Settle() const;
    DWORD WaitForExit(DWORD timeoutMs) const { return process_.WaitForExit(timeoutMs); }
    DrivenProcess& Process() { return process_; }

private:
    HWND Control(int id) const;
    bool ListReady(int id, int rows) const;
    // The row's check mark, its state image: 0 none yet, 1 clear, 2 ticked.
    UINT ListRowMark(int id, int row) const;
    void PressKey(HWND window, UINT key) const;
    [[noreturn]] void Fail(const std::string& waitingFor) const;

    DrivenProcess process_;
    HWND screen_ = nullptr;
    DWORD patienceMs_;
};

// The command line that starts program with arguments, the program in double quotes.
std::string CommandLineOf(const std::string& program, const std::string& arguments);
