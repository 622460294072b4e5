// The setup screen's start and end in both modes.
#include "app/run/RunMode.h"
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "settings/IniFile.h"
#include "shell/ScratchFolder.h"
#include "ui/Application.h"
#include "ui/dialogs/Dialogs.h"

namespace {

constexpr const char* kUninstallFooter = "ZUV2000 Uninstaller | Halvex, Inc.";
constexpr const char* kNoUninstallInformation = "No Uninstall Information Found!!";

}  // namespace

void TDisplayScreen::FormShow()
{
    if (Global.UninstallMode)
        ShowUninstallMode();
    else
        ShowInstallMode();
}

void TDisplayScreen::ShowInstallMode()
{
    if (ExpandSupportFiles)
        ExpandSupportFiles();
    else
        Global.ExpandFailed = true;
    if (Global.ExpandFailed) {
        Timer1.SetEnabled(true);
        return;
    }
    FormResize();
    LogoImage.SetAnimate(true);

    AgreementMemo->Clear();
    NoAgreement = !AgreementMemo->LoadFromFile(Global.TempDir + "license.txt");

    FirstPage = PageIndex(Global.InstallSettings.RestartOption ? WizardPage::Welcome : WizardPage::Agreement);
    Notebook1.SetPageIndex(FirstPage);
    Notebook1PageChanged();
}

void TDisplayScreen::ShowUninstallMode()
{
    LoadSetupConfig(Global.SourceDir);
    Notebook1.SetPageIndex(PageIndex(WizardPage::Uninstaller));
    Notebook1PageChanged();

    const TUninstallTarget target = UninstallTargetOf(commandLine_.Arguments, port::CurrentDir());
    UninstallDir = target.Dir;
    UninstallTitle = target.Title;
    UninstallEntry = target.Entry;
    TextInfo1.SetText(target.Title);
    TextInfo4.SetText(kUninstallFooter);

    // Without a directory there is nothing to remove: reading "uninstaller.cfg" relative to nothing would
    // take whatever such a file the system's own directories hold.
    if (TextInfo1.Text().empty() || UninstallDir.empty()) {
        ShowNoUninstallInformation(target.Problem);
        return;
    }
    LoadSetupConfig(UninstallDir);
}

// The line under the title says why, and so does the log.
void TDisplayScreen::ShowNoUninstallInformation(const std::string& why)
{
    if (RunLog != nullptr && !why.empty()) RunLog->Line(why);
    TextInfo2.SetText(why);
    TextInfo1.SetText(kNoUninstallInformation);
    Remove.SetText("EXIT");
    Remove.SetHint("No Uninstall Info. Click here to Exit.");
    AdjustFonts1Click();
    Application::ProcessMessages();
}

// During the install the window stays: Yes stops the run, which undoes what it did and then closes the screen.
void TDisplayScreen::FormCloseQuery(bool& canClose)
{
    if (Installing) {
        canClose = false;
        if (!InstallCancelled && Confirm("Cancel the installation?")) InstallCancelled = true;
        return;
    }
    Notebook1.OnPageShowing = nullptr;
    Notebook1.OnPageChanged = nullptr;
    Next1.OnClick = nullptr;
    Back1.OnClick = nullptr;
    Cancel1.OnClick = nullptr;
    decline.OnClick = nullptr;
    Accept.OnClick = nullptr;
    canClose = true;
}

void TDisplayScreen::FormDestroy()
{
    // A run that ended before its finish actions (a disk cancelled, the wizard left, an installation undone) leaves
    // none of its expanded files behind.
    if (!Global.UninstallMode && !Global.TempFiles.empty() && port::IsDirectory(Global.TempDir))
        RemoveScratchFolder(Global.TempDir, Global.TempFiles);
    ListView1.SetSmallImages(nullptr);
    AgreementMemo.reset();
    try {
        FreeGlobals();
    } catch (...) {
        // Nothing can be done about a list that cannot be released while the program ends.
    }
}

void TDisplayScreen::Timer1Timer()
{
    Timer1.SetEnabled(false);
    Close();
}
