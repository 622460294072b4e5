#pragma once
// The wizard's pages, in the order Next walks them: the one table that the screen, its startup, its tests and
// the driver of the running program read. A page is known by what it is; its position follows from this table.
#include <cstddef>

#include "app/screen/ControlIds.h"

enum class WizardPage { Welcome, Agreement, Destination, Shortcuts, Ready, Install, Finished, Uninstaller };

struct TWizardPageRow {
    WizardPage page;
    const char* name;  // the page's window text and the name of its pictures
    int controlId;
};

inline constexpr TWizardPageRow kWizardPages[] = {
    {WizardPage::Welcome, "page1", ControlId::page1},
    {WizardPage::Agreement, "Page2", ControlId::Page2},
    {WizardPage::Destination, "Page3", ControlId::Page3},
    {WizardPage::Shortcuts, "Page4", ControlId::Page4},
    {WizardPage::Ready, "ReadyToInstall", ControlId::ReadyToInstall},
    {WizardPage::Install, "install", ControlId::install},
    {WizardPage::Finished, "Finished", ControlId::Finished},
    {WizardPage::Uninstaller, "Uninstaller", ControlId::Uninstaller},
};

inline constexpr int kWizardPageCount = static_cast<int>(std::size(kWizardPages));

// The notebook index of a page: its row in the table (the count for a page the table lacks, which the notebook
// ignores and the screen refuses when it is built).
constexpr int PageIndex(WizardPage page)
{
    int index = 0;
    while (index < kWizardPageCount && kWizardPages[index].page != page) ++index;
    return index;
}
