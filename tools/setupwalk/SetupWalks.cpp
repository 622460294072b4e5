#include "SetupWalks.h"

#include "ProcessDialogs.h"
#include "WindowQuery.h"
#include "app/run/RunMode.h"
#include "app/screen/ControlIds.h"
#include "port/Exception.h"

namespace {

void MakeChoices(SetupDriver& driver, int page, const WalkChoices& choices)
{
    switch (page) {
        case ControlId::Page3:
            if (!choices.Destination.empty()) driver.Type(ControlId::Main_Dir, choices.Destination);
            break;
        case ControlId::Page4:
            driver.WaitForListChecks(ControlId::ListView1);
            driver.SetChecked(ControlId::CheckBox2, choices.FolderOnDesktop);
            driver.SetChecked(ControlId::CheckBox1, choices.FolderOnStartMenu);
            for (int row : choices.RowsToClear) driver.SetListRowChecked(ControlId::ListView1, row, false);
            break;
        case ControlId::Finished:
            driver.SetChecked(ControlId::ReturnToWIndows, true);
            break;
        default:
            break;
    }
}

// The button that leaves the page; none on the install page, which moves on by itself.
int ButtonOf(int page)
{
    switch (page) {
        case ControlId::Page2:
            return ControlId::Accept;
        case ControlId::install:
            return 0;
        case ControlId::Finished:
            return ControlId::Finished1;
        default:
            return ControlId::Next1;
    }
}

void ExpectEnd(SetupDriver& driver, const std::string& after)
{
    const DWORD code = driver.WaitForExit(SetupDriver::kPatienceMs);
    if (code != 0)
        throw Exception("setup.exe did not end cleanly after " + after + " (code " + std::to_string(code) + ")");
}

// The messages the install run shows at its end, each answered with OK, until the page moves on.
std::vector<std::string> AnswerMessagesOfTheRun(SetupDriver& driver)
{
    std::vector<std::string> messages;
    for (;;) {
        const bool waiting = WaitUntil(
            [&] {
                return driver.ShownPage() != ControlId::install || !driver.Process().Running() ||
                       FindDialog(driver.Process());
            },
            SetupDriver::kPatienceMs);
        const std::optional<ProcessDialog> dialog = FindDialog(driver.Process());
        if (!waiting || !dialog) return messages;
        messages.push_back(dialog->Message);
        PressButton(*dialog, "OK");
        WaitUntil([&] { return IsWindowVisible(dialog->Window) == FALSE; }, SetupDriver::kPatienceMs);
    }
}

}  // namespace

std::vector<std::string> WalkInstall(SetupDriver& driver, const WalkChoices& choices, const PageVisitor& visit)
{
    std::vector<std::string> messages;
    driver.WaitForScreen(kInstallTitle);
    for (int last = 0;;) {
        if (last == ControlId::install && choices.AnswerMessages) messages = AnswerMessagesOfTheRun(driver);
        const int page = driver.WaitForPageOtherThan(last);
        if (page == 0) throw Exception("setup.exe ended on page " + driver.PageName(last));
        driver.Settle();
        MakeChoices(driver, page, choices);
        visit(page, driver);
        if (ButtonOf(page) != 0) driver.Click(ButtonOf(page));
        if (page == ControlId::Finished) break;
        last = page;
    }
    ExpectEnd(driver, "Finished");
    return messages;
}

std::vector<std::string> WalkUninstall(SetupDriver& driver, const PageVisitor& visit)
{
    driver.WaitForScreen(kUninstallTitle);
    driver.WaitForPage(ControlId::Uninstaller);
    driver.Settle();
    visit(ControlId::Uninstaller, driver);
    driver.Click(ControlId::Remove);

    std::vector<std::string> questions;
    const DWORD start = GetTickCount();
    while (driver.Process().Running() && GetTickCount() - start < SetupDriver::kPatienceMs) {
        const std::optional<ProcessDialog> dialog = driver.WaitForDialog(1000);
        if (!dialog) continue;
        questions.push_back(dialog->Message);
        PressButton(*dialog, "Yes");
        WaitUntil([&] { return IsWindowVisible(dialog->Window) == FALSE; }, SetupDriver::kPatienceMs);
    }
    ExpectEnd(driver, "Uninstall");
    return questions;
}
