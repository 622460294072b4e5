// The Uninstaller page's button: the uninstall engine works through the page's labels, bar and dialogs.
#include "app/screen/ControlIds.h"
#include "app/screen/DisplayScreen.h"
#include "app/uninstall/UninstallEngine.h"
#include "ui/Application.h"
#include "ui/dialogs/Dialogs.h"

namespace {

class TUninstallPage : public TUninstallView {
public:
    // The status line stands beside "Status:", as wide as the progress bar under it; a long path loses its middle.
    explicit TUninstallPage(TDisplayScreen& screen)
        : screen_(screen), status_(screen.Uninstaller, ControlId::StatusLine)
    {
        status_.SetPathEllipsis(true);
        status_.SetBounds(screen.ProgressBar2.Left(), screen.Label5.Top(), screen.ProgressBar2.Width(),
                          status_.TextExtent().cy);
    }

    void ShowStatus(const std::string& text) override { status_.SetText(text); }
    void ShowStageMark(int stage) override
    {
        if (stage >= 1 && stage <= 4) screen_.StepMarks[static_cast<std::size_t>(stage + 1)]->Show();
    }
    void SetStageBold(int stage, bool bold) override
    {
        TLabel* labels[] = {&screen_.Start1, &screen_.Start2, &screen_.Start3, &screen_.Start4};
        if (stage < 1 || stage > 4) return;
        TFontStyles style;
        if (bold) style.Include(fsBold);
        labels[stage - 1]->Font().SetStyle(style);
    }
    void SetProgressRange(int maximum) override
    {
        screen_.ProgressBar2.SetRange(0, maximum);
        screen_.ProgressBar2.SetPosition(0);
    }
    void SetProgressPosition(int position) override { screen_.ProgressBar2.SetPosition(position); }
    void SetRemoveCaption(const std::string& caption) override { screen_.Remove.SetText(caption); }
    void SetRemoveEnabled(bool enabled) override { screen_.Remove.SetEnabled(enabled); }
    void ShowSummary(const std::string& text) override { screen_.TextInfo2.SetText(text); }
    TConfirmAnswer Confirm(const std::string& question) override
    {
        switch (ConfirmYesNoAll(question)) {
            case mrYes: return caYes;
            case mrAll: return caAll;
            case mrNo: return caNo;
            default: return caNone;
        }
    }
    void ProcessMessages() override { Application::ProcessMessages(); }
    void Log(const std::string& event) override
    {
        if (screen_.RunLog != nullptr) screen_.RunLog->Line(event);
    }
    void Warn(const std::string& message) override { ShowMessage(message); }
    void Close() override { screen_.Close(); }

private:
    TDisplayScreen& screen_;
    TLabel status_;
};

}  // namespace

void TDisplayScreen::removeClick()
{
    TUninstallPage page(*this);
    RunUninstall({UninstallDir, UninstallTitle, UninstallEntry, Remove.Text() == "EXIT"}, page);
}
