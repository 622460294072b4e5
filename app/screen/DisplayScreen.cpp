#include "app/screen/DisplayScreen.h"

#include "app/screen/Resources.h"
#include "app/screen/WizardPages.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "shell/ShellFolders.h"
#include "ui/Application.h"

namespace {

constexpr const char* kWelcome =
    "It is strongly recommended that you exit all windows programs before running this Setup program. Click "
    "Cancel to quit Setup and then close any programs you have running ( Re-Boot if Necessary ). Click Next "
    "continue with Setup Program.";

constexpr int kWizardWidth = 441;
constexpr int kWizardHeight = 273;
constexpr int kButtonBarHeight = 41;

void Shadowed(TLabel& label, int left, int top, int height)
{
    label.Font().SetName("Times New Roman");
    label.Font().SetHeight(height);
    label.Font().SetColor(clWhite);
    label.SetShadowColor(clBlack);
    label.SetShadowSize(1);
    label.SetLeft(left);
    label.SetTop(top);
}

void Wrapped(TLabel& label, int left, int top, int width, int height)
{
    label.SetWordWrap(true);
    label.SetBounds(left, top, width, height);
}

// The page's row of the wizard's table, added as the notebook's next page: the screen names its pages in the
// table's order, and a screen that does not cannot be built.
TPanel& AddWizardPage(TNotebook& notebook, WizardPage page)
{
    const int index = PageIndex(page);
    if (index != notebook.PageCount()) throw Exception("the wizard's pages are not named in the order of their table");
    const TWizardPageRow& row = kWizardPages[index];
    return notebook.AddPage(row.name, row.controlId);
}

}  // namespace

TDisplayScreen::TDisplayScreen(TCommandLine commandLine)
    : TForm(fsScreen, Application::Title()),
      SetupScreen(*this, ControlId::SetupScreen),
      TextInfo1(SetupScreen, ControlId::TextInfo1, "Tarvelo 2000"),
      TextInfo2(SetupScreen, ControlId::TextInfo2, "Halvex, Inc"),
      TextInfo3(SetupScreen, ControlId::TextInfo3, "www.halvex.com    e-mail: info@halvex.com"),
      TextInfo4(SetupScreen, ControlId::TextInfo4, "Copyright (c) 1998-2000 Halvex, Inc. All rights reserved."),
      LogoImage2(SetupScreen, ControlId::LogoImage2),
      ImageHolder1(SetupScreen, ControlId::ImageHolder1),
      LogoImage(ImageHolder1, ControlId::LogoImage),
      Wizard(SetupScreen, ControlId::Wizard),
      Panel1(Wizard, ControlId::Panel1),
      Bevel1(Panel1, ControlId::Bevel1),
      Cancel1(Panel1, ControlId::Cancel1, "&Cancel"),
      decline(Panel1, ControlId::decline, "&Decline"),
      Accept(Panel1, ControlId::Accept, "&Accept"),
      Back1(Panel1, ControlId::Back1, "<< &Back"),
      Next1(Panel1, ControlId::Next1, "&Next >>"),
      Notebook1(Wizard, ControlId::Notebook1),
      page1(AddWizardPage(Notebook1, WizardPage::Welcome)),
      Page2(AddWizardPage(Notebook1, WizardPage::Agreement)),
      Page3(AddWizardPage(Notebook1, WizardPage::Destination)),
      Page4(AddWizardPage(Notebook1, WizardPage::Shortcuts)),
      ReadyToInstall(AddWizardPage(Notebook1, WizardPage::Ready)),
      install(AddWizardPage(Notebook1, WizardPage::Install)),
      Finished(AddWizardPage(Notebook1, WizardPage::Finished)),
      Uninstaller(AddWizardPage(Notebook1, WizardPage::Uninstaller)),
      GradPan5(page1, ControlId::GradPan5),
      Label14(page1, ControlId::Label14),
      Label15(page1, ControlId::Label15),
      Label16(page1, ControlId::Label16),
      Label3(Page2, ControlId::Label3,
             "Click on Accept to continue with install process. pgdn/pgup to view License information."),
      Label4(Page2, ControlId::Label4,
             "You must select Accept or Decline to Continue with installation. if you accept License then click "
             "Accept!"),
      GradPan6(Page3, ControlId::GradPan6),
      Label6(Page3, ControlId::Label6,
             "To change directory click on button on right hand side of  Destination  Directory."),
      GroupBox1(Page3, ControlId::GroupBox1, " Destination  Directory "),
      Main_Dir(GroupBox1, ControlId::Main_Dir, ControlId::Main_DirBrowse),
      ForMeOnly(Page3, ControlId::ForMeOnly, "for me only"),
      ForEveryone(Page3, ControlId::ForEveryone, "for everyone"),
      GradPan3(Page4, ControlId::GradPan3),
      CreateFolder(Page4, ControlId::CreateFolder, "Applications"),
      CheckBox1(Page4, ControlId::CheckBox1, "Add Folder to Start Menu"),
      CheckBox2(Page4, ControlId::CheckBox2, "Add Folder to Desktop"),
      ListView1(Page4, ControlId::ListView1),
      GradPan1(ReadyToInstall, ControlId::GradPan1),
      RxLabel5(ReadyToInstall, ControlId::RxLabel5, "Ready to Install Application:"),
      Memo3(ReadyToInstall, ControlId::Memo3),
      source(install, ControlId::source, "Installing Files"),
      Dest1(install, ControlId::Dest1, "FileName:"),
      Label1(install, ControlId::Label1, "Create Icons and Folders"),
      Label2(install, ControlId::Label2, "Process Registry Entires"),
      Image1(install, ControlId::Image1),
      ProgressBar1(install, ControlId::ProgressBar1),
      GradPan4(Finished, ControlId::GradPan4),
      RxLabel2(Finished, ControlId::RxLabel2, "Installation Completed:"),
      RxLabel3(Finished, ControlId::RxLabel3),
      reboot(Finished, ControlId::reboot, "ReStart Windows"),
      LaunchItOption(Finished, ControlId::LaunchItOption, "Launch Program"),
      LaunchIt(Finished, ControlId::LaunchIt),
      ReturnToWIndows(Finished, ControlId::ReturnToWIndows, "Return to Windows "),
      Finished1(Finished, ControlId::Finished1, "&Finished"),
      Start1(Uninstaller, ControlId::Start1, "Remove Installed Files."),
      Start2(Uninstaller, ControlId::Start2, "Remove Extra Directories Created."),
      Start3(Uninstaller, ControlId::Start3, "Remove Folders."),
      Start4(Uninstaller, ControlId::Start4, "Remove Register Information."),
      Label5(Uninstaller, ControlId::Label5, "Status:"),
      ProgressBar2(Uninstaller, ControlId::ProgressBar2),
      Remove(Uninstaller, ControlId::Remove, "&Uninstall"),
      commandLine_(std::move(commandLine))
{
    PlaceDesignedControls();
    AttachHandlers();
    FormCreate();
}

TDisplayScreen::~TDisplayScreen()
{
    FormDestroy();
}

void TDisplayScreen::PlaceDesignedControls()
{
    SetColor(clNavy);
    SetupScreen.SetColor(clNavy);
    PlaceDesignedLook();
    Shadowed(TextInfo1, 8, 8, -32);
    Shadowed(TextInfo2, 8, 40, -16);
    Shadowed(TextInfo3, 8, 56, -16);
    Shadowed(TextInfo4, 0, 0, -13);
    TextInfo4.SetAutoSize(false);
    TextInfo4.SetAlignment(taCenter);

    ImageHolder1.SetBevel(true, 2, true);
    ImageHolder1.SetSize(161, 73);
    ImageHolder1.Hide();
    LogoImage2.SetAutoSize(true);
    LogoImage2.Hide();

    Wizard.SetBevel(true, 3, true);
    Wizard.SetSize(kWizardWidth, kWizardHeight);
    PlaceWizardContents();

    PlacePageControls();
    Timer1.SetEnabled(false);
    Timer1.SetInterval(1000);
}

// The button bar along the wizard's bottom edge (while shown), the notebook in the rest, the pages' controls.
void TDisplayScreen::PlaceWizardContents()
{
    const int inset = Wizard.Inset();
    const int width = Wizard.Width() - 2 * inset;
    const int height = Wizard.Height() - 2 * inset;
    const int barHeight = Panel1.Visible() ? kButtonBarHeight : 0;
    Panel1.SetBounds(inset, inset + height - kButtonBarHeight, width, kButtonBarHeight);
    Notebook1.SetBounds(inset, inset, width, height - barHeight);
    // The side pictures run down the whole page, whatever size the page takes.
    for (TPanel* side : {&GradPan5, &GradPan6, &GradPan1, &GradPan4}) side->SetBounds(0, 0, 120, height - barHeight);
    GradPan3.SetBounds(0, 0, 90, height - barHeight);

    // Cancel at the left; Decline, Accept, Back and Next from the right in that order, each in a place of its
    // own, so that a page may show any of them side by side.
    Bevel1.SetBounds(0, 0, width, 2);
    Cancel1.SetBounds(8, 9, 75, 25);
    TButton* fromRight[] = {&Next1, &Back1, &Accept, &decline};
    for (int place = 0; place < 4; ++place) fromRight[place]->SetBounds(width - (place + 1) * 83, 9, 75, 25);
}

void TDisplayScreen::PlacePageControls()
{
    Wrapped(Label14, 130, 10, 290, 110);
    Wrapped(Label15, 130, 125, 290, 40);
    Wrapped(Label16, 130, 170, 290, 40);

    Wrapped(Label3, 8, 2, 415, 28);
    Wrapped(Label4, 8, 190, 415, 30);

    TFontStyles bold;
    bold.Include(fsBold);
    Label6.Font().SetStyle(bold);
    Label6.SetAlignment(taCenter);
    Wrapped(Label6, 130, 15, 290, 50);
    GroupBox1.SetBounds(130, 80, 290, 60);
    Main_Dir.SetBounds(10, 24, 270, 21);
    Main_Dir.BrowseButton().SetHint("Browse for Directory");
    ForMeOnly.SetBounds(140, 150, 270, 18);
    ForEveryone.SetBounds(140, 172, 270, 18);

    CreateFolder.SetBounds(100, 4, 0, 0);
    CheckBox1.SetBounds(100, 24, 160, 17);
    CheckBox2.SetBounds(265, 24, 160, 17);
    ListView1.SetBounds(100, 46, 325, 170);
    ListView1.AddColumn("Program to Add", 205);
    ListView1.AddColumn("Where to Add", 110);
    ListView1.SetCheckboxes(true);
    ListView1.SetHint("if No Mouse the Use the SPACE Bar to Select/Unselect items.");

    RxLabel5.SetBounds(130, 8, 0, 0);
    Memo3.SetBounds(130, 30, 290, 185);

    source.SetBounds(20, 0, 0, 0);
    Dest1.SetBounds(20, 16, 0, 0);
    Label1.SetBounds(20, 32, 0, 0);
    Label2.SetBounds(20, 64, 0, 0);
    ProgressBar1.SetBounds(8, 90, 270, 16);

    RxLabel2.SetBounds(130, 8, 0, 0);
    RxLabel3.SetBounds(130, 30, 0, 0);
    reboot.SetBounds(130, 60, 250, 18);
    LaunchItOption.SetBounds(130, 82, 250, 18);
    // The program to launch runs to the page's right margin; a longer path loses its middle.
    LaunchIt.SetPathEllipsis(true);
    LaunchIt.SetBounds(148, 102, 274, LaunchIt.TextExtent().cy);
    ReturnToWIndows.SetBounds(130, 124, 250, 18);
    reboot.SetChecked(true);
    Finished1.SetBounds(330, 175, 90, 25);

    // Below the four stages: "Status:" with the run's status line beside it (made by the run), the bar, the button.
    TLabel* steps[] = {&Start1, &Start2, &Start3, &Start4};
    for (int step = 0; step < 4; ++step) steps[step]->SetBounds(20, step * 32, 0, 0);
    Label5.SetBounds(8, 112, 0, 0);
    ProgressBar2.SetBounds(50, 128, 275, 10);
    Remove.SetBounds(125, 140, 90, 25);
}

void TDisplayScreen::AttachHandlers()
{
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    OnResize = [this] { FormResize(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Notebook1.OnPageShowing = [this](int page) { Notebook1PageShowing(page); };
    Notebook1.OnPageChanged = [this] { Notebook1PageChanged(); };
    Next1.OnClick = [this] { Next1Click(); };
    Back1.OnClick = [this] { Back1Click(); };
    Accept.OnClick = [this] { acceptClick(); };
    decline.OnClick = [this] { declineClick(); };
    Cancel1.OnClick = [this] { Cancel1Click(); };
    Remove.OnClick = [this] { removeClick(); };
    Finished1.OnClick = [this] { Finished1Click(); };
    Main_Dir.OnAfterDialog = [this](std::string& name, bool&) { Main_DirAfterDialog(name); };
    ForMeOnly.OnClick = [this] { ChooseScope(isUser); };
    ForEveryone.OnClick = [this] { ChooseScope(isMachine); };
    Next1.SetDefault();
}

void TDisplayScreen::FormCreate()
{
    Image1.LoadFromResource(IDB_CHECKMARK);
    Image1.SetTransparent(true);
    Image1.Hide();
    Image1.SetBounds(0, 0, 16, 16);
    // Marks 1 and 2 beside the install steps, 3 to 6 beside the four removal steps.
    constexpr std::array<int, 6> tops{32, 64, 0, 32, 64, 96};
    for (std::size_t mark = 0; mark < StepMarks.size(); ++mark) {
        TPanel& page = mark < 2 ? install : Uninstaller;
        StepMarks[mark] = std::make_unique<TImage>(page, ControlId::StepMark1 + static_cast<int>(mark));
        StepMarks[mark]->SetAutoSize(true);
        StepMarks[mark]->SetTransparent(true);
        StepMarks[mark]->SetPicture(Image1);
        StepMarks[mark]->SetLeft(0);
        StepMarks[mark]->SetTop(tops[mark]);
        StepMarks[mark]->Hide();
    }

    AgreementMemo = std::make_unique<TMemo>(Page2, ControlId::AgreementMemo);
    AgreementMemo->SetBounds(8, 31, 415, 154);

    Label14.SetText(kWelcome);
    Label15.SetText("");
    Label16.SetText("");

    ListView1.SetSmallImages(SystemSmallIconList());
    FormResize();
    UninstallDir = port::CurrentDir();
    InitGlobals();
}
