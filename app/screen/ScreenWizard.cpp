// The wizard's page flow: what each page prepares when it is entered, and the navigation buttons.
#include "app/install/EarlierInstallation.h"
#include "app/product/Destinations.h"
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "config/TextFields.h"
#include "shell/Elevation.h"
#include "shell/PathIdentity.h"
#include "shell/ShellFolders.h"
#include "ui/Application.h"

// The shortcut rows are built while their page is hidden: shown half-built, the page took keys and clicks on rows
// that the configuration ticked afterwards, and Next led on past a list not yet filled.
void TDisplayScreen::Notebook1PageShowing(int page)
{
    if (page == PageIndex(WizardPage::Shortcuts)) FillShortcutList();
}

void TDisplayScreen::Notebook1PageChanged()
{
    const int index = Notebook1.PageIndex();
    // From the moment the install page shows: a close before the run's first item asks too.
    Installing = index >= 0 && index < kWizardPageCount && kWizardPages[index].page == WizardPage::Install;
    ShowCommonButtons();
    Application::ProcessMessages();
    if (index < 0 || index >= kWizardPageCount) return;
    switch (kWizardPages[index].page) {
        case WizardPage::Agreement: EnterAgreementPage(); break;
        case WizardPage::Install: EnterInstallPage(); break;
        case WizardPage::Finished: EnterFinishedPage(); break;
        case WizardPage::Uninstaller: EnterUninstallerPage(); break;
        default: break;
    }
    if (Notebook1.PageIndex() == FirstPage) Back1.Hide();
}

void TDisplayScreen::ShowCommonButtons()
{
    Back1.Show();
    Next1.Show();
    decline.Hide();
    Accept.Hide();
}

// Without an agreement the page passes straight on; Back from the next page lands here and passes on again.
void TDisplayScreen::EnterAgreementPage()
{
    decline.Show();
    Accept.Show();
    Next1.Hide();
    if (!NoAgreement) return;
    Notebook1.SetPageIndex(PageIndex(WizardPage::Agreement) + 1);
    ShowCommonButtons();
}

// The run starts inside this handler; the button bar goes first so that nothing can be clicked meanwhile.
void TDisplayScreen::EnterInstallPage()
{
    Panel1.Hide();
    SizeWizard(300, 130);
    Image1.Hide();
    StepMarks[0]->Hide();
    StepMarks[1]->Hide();
    MoveWizard(ClientWidth() / 2 - Wizard.Width() / 2, TextInfo4.Top() - Wizard.Height() - 15);
    Repaint();
    Application::ProcessMessages();
    RunInstall();
}

// A destination typed without its "\" was installed into with one; the program to launch lies there too.
void TDisplayScreen::EnterFinishedPage()
{
    RxLabel3.SetText(TextInfo1.Text());
    LaunchIt.SetText(
        ExpandPathMacros(Global.InstallSettings.LaunchApplication, WithTrailingBackslash(Main_Dir.Text())));
    Application::ProcessMessages();
    Panel1.Hide();
    SizeWizard(440, 230);
    for (std::size_t mark = 2; mark < StepMarks.size(); ++mark) StepMarks[mark]->Hide();
    CentreWizard();
    Repaint();
}

void TDisplayScreen::EnterUninstallerPage()
{
    Panel1.Hide();
    SizeWizard(345, 175);
    CentreWizard();
    Repaint();
}

void TDisplayScreen::SizeWizard(int width, int height)
{
    Wizard.SetSize(width, height);
    PlaceWizardContents();
}

void TDisplayScreen::MoveWizard(int left, int top)
{
    Wizard.SetBounds(left, top, Wizard.Width(), Wizard.Height());
}

void TDisplayScreen::CentreWizard()
{
    MoveWizard(ClientWidth() / 2 - Wizard.Width() / 2, ClientHeight() / 2 - Wizard.Height() / 2);
}

// Rebuilt on every entry: every row goes back to the configured flags, and the summary takes the two folder
// boxes as they are now.
void TDisplayScreen::FillShortcutList()
{
    ListView1.Clear();
    ListView1.SetCheckboxes(false);
    Memo3.Clear();
    Memo3.Add("Install To: " + Main_Dir.Text());
    const std::string installDir = WithTrailingBackslash(Main_Dir.Text());
    const TEarlierInstallation earlier(installDir, EntryKeyOf(Global.InstallSettings, TextInfo1.Text()));
    if (!earlier.Dir().empty() && PathIdentity(earlier.Dir()) != PathIdentity(installDir))
        Memo3.Add("The earlier installation in " + earlier.Dir() + " is removed");
    if (Global.InstallSettings.Scope == isAsk) Memo3.Add(Global.Scope == isUser ? "For: me only" : "For: everyone");
    Memo3.Add("");
    Memo3.Add("Folders:");
    for (const std::string& entry : Global.ShortcutEntries) AddShortcutEntry(entry);
    ListView1.SetCheckboxes(true);
}

void TDisplayScreen::AddShortcutEntry(std::string fields)
{
    const auto [startMenu, desktop, quickLaunch] = ShortcutFlagsOf(fields);
    const std::string name = SplitFirst(fields, ',');
    const std::string target = ExpandPathMacros(SplitFirst(fields, ','), Main_Dir.Text());
    for (int skipped = 3; skipped <= 6; ++skipped) SplitFirst(fields, ',');
    const std::string folder = SplitFirst(fields, ',');

    Memo3.Add(folder + ": " + name);
    if (CheckBox2.Checked()) Memo3.Add(folder + " Desktop : " + name);
    if (CheckBox1.Checked()) Memo3.Add(folder + " StartMenu : " + name);

    const int icon = SmallIconIndex(Global.TempDir + FileNamePart(target));
    ListView1.AddItem(name, "StartMenu", icon, startMenu);
    ListView1.AddItem(name, "Desktop", icon, desktop);
    ListView1.AddItem(name, "Quick Launch", icon, quickLaunch);
}

void TDisplayScreen::Next1Click()
{
    if (Notebook1.PageIndex() == PageIndex(WizardPage::Destination) && Global.InstallSettings.Scope == isAsk &&
        Global.Scope == isMachine && !RunsElevated()) {
        DestinationForEveryone = WithTrailingBackslash(Main_Dir.Text());
        Close();
        return;
    }
    if (Notebook1.PageIndex() < Notebook1.PageCount() - 1) Notebook1.SetPageIndex(Notebook1.PageIndex() + 1);
}

void TDisplayScreen::Back1Click()
{
    if (Notebook1.PageIndex() > FirstPage) Notebook1.SetPageIndex(Notebook1.PageIndex() - 1);
}

void TDisplayScreen::acceptClick()
{
    Notebook1.SetPageIndex(Notebook1.PageIndex() + 1);
}

void TDisplayScreen::declineClick()
{
    Close();
}

void TDisplayScreen::Cancel1Click()
{
    Close();
}

void TDisplayScreen::Main_DirAfterDialog(std::string& name)
{
    if (name.empty() || name.back() != '\\') name += '\\';
}
