#pragma once
// The setup screen: the full-screen form with the four text lines, the logo and the wizard of eight pages.
// The form holds the controls and says what happens on each event; the work belongs to the engines.
#include "app/finish/FinishActions.h"
#include "app/install/InstallChoices.h"
#include "app/product/SetupConfig.h"
#include "app/record/UninstallEntries.h"
#include "app/run/CommandLine.h"
#include "app/run/RunLog.h"
#include "app/screen/GradPanHost.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "ui/controls/Button.h"
#include "ui/controls/CheckBox.h"
#include "ui/controls/DirectoryEdit.h"
#include "ui/controls/Frame.h"
#include "ui/controls/Label.h"
#include "ui/controls/ListView.h"
#include "ui/controls/Memo.h"
#include "ui/controls/Notebook.h"
#include "ui/controls/Panel.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/RadioButton.h"
#include "ui/pictures/AnimatedImage.h"
#include "ui/pictures/Image.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TDisplayScreen : public TForm {
public:
    // FormCreate runs here: the form is complete when constructed. commandLine: the parsed one; its /D=DIR shows in
    // Main_Dir instead of the configured destination, its arguments name the product to uninstall.
    explicit TDisplayScreen(TCommandLine commandLine);
    ~TDisplayScreen() override;

    // Install mode: expands the support files into TempDir and loads the configuration from there, setting
    // Global.ExpandFailed when it cannot. Supplied by the bootstrap expander; without it nothing is expanded
    // and the run ends as a failed expansion does.
    std::function<void()> ExpandSupportFiles;
    // Where the runs write their log (/LOG=FILE); none without.
    TRunLog* RunLog = nullptr;
    // Not empty when the user chose "for everyone" in a run without an administrator's rights: the destination
    // then chosen, for the run that starts again with them once this one has closed.
    std::string DestinationForEveryone;

    // Reads dir + "install.cfg" and dir + "finstall.cfg" into the controls and the shared state.
    void LoadSetupConfig(const std::string& dir);

    // The designed components.
    TGradPanHost SetupScreen;
    TLabel TextInfo1;
    TLabel TextInfo2;
    TLabel TextInfo3;
    TLabel TextInfo4;
    TImage LogoImage2;
    TPanel ImageHolder1;
    TAnimatedImage LogoImage;
    TPanel Wizard;
    TPanel Panel1;
    TBevel Bevel1;
    TButton Cancel1;
    TButton decline;
    TButton Accept;
    TButton Back1;
    TButton Next1;
    TNotebook Notebook1;

    TPanel& page1;
    TPanel& Page2;
    TPanel& Page3;
    TPanel& Page4;
    TPanel& ReadyToInstall;
    TPanel& install;
    TPanel& Finished;
    TPanel& Uninstaller;

    // page1: welcome.
    TGradPanHost GradPan5;
    TLabel Label14;
    TLabel Label15;
    TLabel Label16;
    // Page2: agreement (AgreementMemo is made at run time).
    TLabel Label3;
    TLabel Label4;
    // Page3: destination.
    TGradPanHost GradPan6;
    TLabel Label6;
    TGroupBox GroupBox1;
    TDirectoryEdit Main_Dir;
    TRadioButton ForMeOnly;  // whose the installation is, for a product that asks
    TRadioButton ForEveryone;
    // Page4: program folders and shortcuts.
    TGradPanHost GradPan3;
    TLabel CreateFolder;
    TCheckBox CheckBox1;
    TCheckBox CheckBox2;
    TListView ListView1;
    // ReadyToInstall: summary.
    TGradPanHost GradPan1;
    TLabel RxLabel5;
    TMemo Memo3;
    // install: progress.
    TLabel source;
    TLabel Dest1;
    TLabel Label1;
    TLabel Label2;
    TImage Image1;
    TProgressBar ProgressBar1;
    // Finished.
    TGradPanHost GradPan4;
    TLabel RxLabel2;
    TLabel RxLabel3;
    TRadioButton reboot;
    TRadioButton LaunchItOption;
    TLabel LaunchIt;
    TRadioButton ReturnToWIndows;
    TButton Finished1;
    // Uninstaller.
    TLabel Start1;
    TLabel Start2;
    TLabel Start3;
    TLabel Start4;
    TLabel Label5;
    TProgressBar ProgressBar2;
    TButton Remove;

    TTimer Timer1;

    // Run-time fields.
    std::array<std::unique_ptr<TImage>, 6> StepMarks;
    int FirstPage = 0;
    bool NoAgreement = true;
    std::string UninstallDir;
    std::unique_ptr<TMemo> AgreementMemo;
    std::string UninstallTitle;
    std::optional<TUninstallEntry> UninstallEntry;  // the entry that named UninstallDir
    bool Installing = false;                        // the install run is under way: closing the window asks first
    bool InstallCancelled = false;                  // the user answered Yes: the run stops and undoes at its next item

private:
    TCommandLine commandLine_;

    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormDestroy();
    void FormResize();
    void Timer1Timer();

    void ShowInstallMode();
    void ShowUninstallMode();
    void ShowNoUninstallInformation(const std::string& why);

    void Notebook1PageShowing(int page);
    void Notebook1PageChanged();
    void Next1Click();
    void Back1Click();
    void acceptClick();
    void declineClick();
    void Cancel1Click();
    void removeClick();
    void Finished1Click();
    void Main_DirAfterDialog(std::string& name);
    void ShowScopeChoice();
    void ChooseScope(TInstallScope scope);

    void ShowCommonButtons();
    void EnterAgreementPage();
    void EnterInstallPage();
    void EnterFinishedPage();
    void EnterUninstallerPage();
    void SizeWizard(int width, int height);
    void MoveWizard(int left, int top);
    void CentreWizard();
    void FillShortcutList();
    void AddShortcutEntry(std::string fields);
    void RunInstall();
    TInstallChoices InstallChoices() const;
    TFinishRequest FinishRequest() const;

    void PlaceDesignedControls();
    void PlaceWizardContents();
    void PlacePageControls();
    void AttachHandlers();
    void ApplyScreenLine(TLabel& label, const TScreenLineConfig& line);
    void ApplyFinishedChoices(const TFinishedChoices& choices);
    void DockFooter();
    void AdjustFonts1Click();
    void LoadLogo1Click();
    void LogoPosChanges1Click();
    void DisplayStyleChanges1Click();
    void PlaceDesignedLook();
    std::string logoDir_;  // TempDir, or in uninstall mode the directory the configuration came from
};
