// The Finished page's button: the finish actions run with the page's heading and the form's restart.
#include "app/screen/DisplayScreen.h"
#include "app/finish/FinishActions.h"
#include "shell/WinReboot.h"
#include "ui/Application.h"

namespace {

class TFinishedPage : public TFinishHost {
public:
    explicit TFinishedPage(TDisplayScreen& screen) : screen_(screen) {}

    void SetCaption(const std::string& text) override { screen_.RxLabel2.SetText(text); }
    void ProcessMessages() override { Application::ProcessMessages(); }
    void Log(const std::string& event) override
    {
        if (screen_.RunLog != nullptr) screen_.RunLog->Line(event);
    }
    bool ShutdownWindows(UINT flags) override { return TWinReboot().ShutdownWindows(flags); }
    void Close() override { screen_.Close(); }

private:
    TDisplayScreen& screen_;
};

}  // namespace

TFinishRequest TDisplayScreen::FinishRequest() const
{
    TFinishRequest request;
    request.Choice = LaunchItOption.Checked() ? fcLaunch : reboot.Checked() ? fcRestart : fcReturn;
    request.TempDir = Global.TempDir;
    request.TempFiles = Global.TempFiles;
    request.LaunchFiles = Global.LaunchFiles;
    request.LaunchApplication = LaunchIt.Text();
    return request;
}

void TDisplayScreen::Finished1Click()
{
    TFinishedPage page(*this);
    RunFinishActions(FinishRequest(), page);
}
