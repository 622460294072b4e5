#pragma once
// The setup screen: the full-screen form with the four text lines, the logo and the wizard of eight pages.
// The form holds the controls and says what happens on each event; the work belongs to the engines.
#include "app/RunLog.h"
#include "app/finish/FinishActions.h"
#include "app/install/InstallChoices.h"
#include "app/record/UninstallEntries.h"
#include "app/screen/GradPanel.h"
#include "app/install/InstallChoices.h"
#include "app/config/SetupConfig.h"
#include "ui/AnimatedImage.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DirectoryEdit.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Notebook.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "ui/RadioButton.h"
#include "ui/Timer.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TDisplayScreen : public TForm {
public:
    // FormCreate runs here: the form is complete when constructed. arguments: the command line's.
    explicit TDisplayScreen(std::vector<std::string> arguments);
    ~TDisplayScreen() override;

    // Install mode: expands the support files into TempDir and loads the configuration from there, setting
    // Global.ExpandFailed when it cannot. Supplied by the bootstrap expander; without it nothing is expanded
    // and the run ends as a failed expansion does.
    std::function<void()> ExpandSupportFiles;
    // Where the runs write their log (/LOG=FILE); none without.
    TRunLog* RunLog = nullptr;
    // A destination the command line names (/D=DIR): Main_Dir shows it instead of the configured one.
    std::string ProposedDestination;

    // Reads dir + "install.cfg" and dir + "finstall.cfg" into the controls and the shared state.
    void LoadSetupConfig(const std::string& dir);

    // The designed components.
    TGradPanel SetupScreen;
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
    TGradPanel GradPan5;
    TLabel Label14;
    TLabel Label15;
    TLabel Label16;
    // Page2: agreement (AgreementMemo is made at run time).
    TLabel Label3;
    TLabel Label4;
    // Page3: destination.
    TGradPanel GradPan6;
    TLabel Label6;
    TGroupBox GroupBox1;
    TDirectoryEdit Main_Dir;
    // Page4: program folders and shortcuts.
    TGradPanel GradPan3;
    TLabel CreateFolder;
    TCheckBox CheckBox1;
    TCheckBox CheckBox2;
    TListView ListView1;
    // ReadyToInstall: summary.
    TGradPanel GradPan1;
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
    TGradPanel GradPan4;
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

private:
    std::vector<std::string> arguments_;

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
