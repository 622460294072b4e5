#include "bootstrap/Unzip1.h"

#include "state/Global.h"
#include "ui/Application.h"
#include "ui/dialogs/Dialogs.h"

#include <utility>

namespace {

constexpr const char* kCaption = "ZUV2000 - Setup";
constexpr const char* kStandby = "Tarvelo is De-Compressing files needed to Setup the Wizard. Please Standby.";

}  // namespace

TUNZIP::TUNZIP(TLoadSetupConfig loadSetupConfig, TSegInteraction* interaction, HWND owner, TLogLine log)
    : TForm(fsDialog, kCaption, owner),
      Label1(*this, 1, kStandby),
      ProgressBar1(*this, 2),
      dialogs_(*this),
      host_(*this, interaction != nullptr ? *interaction : dialogs_, std::move(log)),
      expansion_(std::move(loadSetupConfig), host_),
      SegCompEZ1(expansion_.SegCompEZ1)
{
    // A single border with no system menu: the user cannot close the window while it expands.
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) & ~WS_SYSMENU);
    SetClientSize(341, 71);
    Label1.Font().SetName("MS Sans Serif");
    Label1.Font().SetHeight(-11);
    Label1.SetAutoSize(false);
    Label1.SetWordWrap(true);
    Label1.SetBounds(16, 8, 313, 33);
    ProgressBar1.SetBounds(16, 48, 313, 17);
    ProgressBar1.SetRange(0, 100);
    OnShow = [this] { FormShow(); };
}

void TUNZIP::ExpandSupportFiles()
{
    if (expansion_.Run()) {
        Close();
        return;
    }
    // Whatever went wrong, the user learns only that the expansion failed.
    ShowMessage("Error Expanding Files!!");
    Application::Terminate();
    Global.ExpandFailed = true;
}

void TUNZIP::TWindowHost::SetProgressRange(int maximum)
{
    form_.ProgressBar1.SetRange(0, maximum);
}

void TUNZIP::TWindowHost::SetProgressPosition(int position)
{
    form_.ProgressBar1.SetPosition(position);
}

int TUNZIP::TWindowHost::ProgressPosition() const
{
    return form_.ProgressBar1.Position();
}

void TUNZIP::TWindowHost::ProcessMessages()
{
    Application::ProcessMessages();
}

void TUNZIP::TWindowHost::AskForDisk(const std::string& request)
{
    ShowMessage(request);
}

void TUNZIP::TWindowHost::Log(const std::string& event)
{
    if (log_) log_(event);
}

void TUNZIP::FormShow()
{
    Application::ProcessMessages();
    UpdateWindow(Handle());
    Application::ProcessMessages();
    Repaint();
    Application::ProcessMessages();
}
