// The install page's run: the wizard's choices go to the installation engine, which reports on the page.
#include "app/install/InstallEngine.h"
#include "app/screen/DisplayScreen.h"
#include "config/TextFields.h"
#include "ui/Application.h"
#include "ui/dialogs/Dialogs.h"

namespace {

class TInstallPage : public TInstallProgress {
public:
    explicit TInstallPage(TDisplayScreen& screen) : screen_(screen) {}

    void SetCaption(TInstallLabel label, const std::string& caption) override
    {
        TLabel* labels[] = {&screen_.Dest1, &screen_.Label1, &screen_.Label2};
        labels[label]->SetText(caption);
    }
    void SetProgressRange(int maximum) override
    {
        screen_.ProgressBar1.SetRange(0, maximum);
        screen_.ProgressBar1.SetPosition(0);
    }
    void SetProgressPosition(int position) override { screen_.ProgressBar1.SetPosition(position); }
    void ShowStageMark(TInstallStage stage) override
    {
        TImage* marks[] = {&screen_.Image1, screen_.StepMarks[0].get(), screen_.StepMarks[1].get()};
        marks[stage]->Show();
    }
    void ProcessMessages() override
    {
        Application::ProcessMessages();
        if (screen_.InstallCancelled) throw EInstallCancelled();
    }
    void Log(const std::string& event) override
    {
        if (screen_.RunLog != nullptr) screen_.RunLog->Line(event);
    }

private:
    TDisplayScreen& screen_;
};

}  // namespace

TInstallChoices TDisplayScreen::InstallChoices() const
{
    TInstallChoices choices;
    choices.InstallDir = Main_Dir.Text();
    choices.Title = TextInfo1.Text();
    choices.ProductId = Global.InstallSettings.ProductId;
    choices.Scope = Global.Scope;
    for (int row = 0; row < ListView1.Count(); ++row) choices.ShortcutRows.push_back(ListView1.Checked(row));
    choices.FolderDesktop = CheckBox2.Checked();
    choices.FolderStartMenu = CheckBox1.Checked();
    return choices;
}

// A run that fails cannot go on, and this page has no button to leave it by: after its message (what failed, and
// that the run was undone) the screen closes, as after a failed expansion, instead of staying on the page for ever.
// Files that were not installed are named before the Finished page; files that wait for the restart make it
// offer the restart.
void TDisplayScreen::RunInstall()
{
    TInstallPage page(*this);
    TInstallOutcome outcome;
    try {
        outcome = RunInstallation(Global, InstallChoices(), page);
    } catch (const std::exception& error) {
        Installing = false;
        page.Log(Concat({"Error: ", error.what()}));
        Application::HandleException();
        Close();
        return;
    } catch (...) {
        Installing = false;
        Application::HandleException();
        Close();
        return;
    }
    Installing = false;
    const std::string message = OutcomeMessage(outcome);
    if (!message.empty()) ShowMessage(message);
    if (outcome.RestartNeeded()) reboot.Show();
    Notebook1.SetPageIndex(Notebook1.PageIndex() + 1);
}
