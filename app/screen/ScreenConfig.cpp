// The configuration applied to the setup screen: the reader has no window, the screen puts its result in place.
#include "app/product/RunScope.h"
#include "app/screen/DisplayScreen.h"
#include "config/TextFields.h"
#include "state/Global.h"

void TDisplayScreen::LoadSetupConfig(const std::string& dir)
{
    const TSetupConfig config = ReadSetupConfig(dir, commandLine_.Scope);
    TLabel* lines[] = {&TextInfo1, &TextInfo2, &TextInfo3, &TextInfo4};
    for (std::size_t line = 0; line < config.Lines.size(); ++line) ApplyScreenLine(*lines[line], config.Lines[line]);
    SetupScreen.SetColorStart(config.FromColor);
    SetupScreen.SetColorEnd(config.ToColor);
    ImageHolder1.SetColor(config.ImageBorderColor);
    ApplyFinishedChoices(config.Finished);
    const std::string configured = ApplyToGlobals(config, Global);
    const std::string& proposed = commandLine_.Destination;
    Main_Dir.SetText(proposed.empty() ? configured : WithTrailingBackslash(proposed));
    ShowScopeChoice();
    // The uninstaller has no expanded files: its logo is the copy the installation left beside the configuration.
    logoDir_ = Global.UninstallMode ? dir : Global.TempDir;
    LoadLogo1Click();
    const std::string& background = Global.InstallSettings.BitMapFile;
    if (!background.empty()) SetupScreen.LoadBitmapFile(dir + background);
    DockFooter();
    AdjustFonts1Click();
    LogoPosChanges1Click();
    DisplayStyleChanges1Click();
}

// A key that is not there leaves the label's current value, the designed one or that of an earlier load.
void TDisplayScreen::ApplyScreenLine(TLabel& label, const TScreenLineConfig& line)
{
    TFont& current = label.Font();
    TLabelFont font{current.Name(), current.Height(), current.PixelsPerInch(), current.Color(), current.Style()};
    ApplyFontKeys(line, font);
    if (line.Text) label.SetText(*line.Text);
    current.SetName(font.Name);
    current.SetHeight(font.Height);
    current.SetPixelsPerInch(font.PixelsPerInch);
    current.SetColor(font.Color);
    current.SetStyle(font.Style);
    if (line.ShadowColor) label.SetShadowColor(*line.ShadowColor);
}

// "Return to Windows " always, "ReStart Windows" when configured, "Launch Program" with the program to launch
// when there is one, and then preselected.
void TDisplayScreen::ApplyFinishedChoices(const TFinishedChoices& choices)
{
    reboot.SetVisible(choices.RebootVisible);
    LaunchItOption.Hide();
    LaunchIt.Hide();
    CreateFolder.SetText(choices.CreateFolderCaption);
    ReturnToWIndows.Show();
    if (choices.LaunchVisible) {
        LaunchItOption.Show();
        LaunchIt.Show();
        LaunchIt.SetText(choices.LaunchCaption);
    }
    if (choices.LaunchSelected)
        LaunchItOption.SetChecked(true);
    else
        ReturnToWIndows.SetChecked(true);
}

// Shown only for a product that asks. Without an administrator's rights, "for everyone" starts the run again with
// them when the user goes on (Next1Click).
void TDisplayScreen::ShowScopeChoice()
{
    const bool asks = Global.InstallSettings.Scope == isAsk && !Global.UninstallMode;
    ForMeOnly.SetVisible(asks);
    ForEveryone.SetVisible(asks);
    (Global.Scope == isUser ? ForMeOnly : ForEveryone).SetChecked(true);
}

// The destination follows the answer while it is still below the other answer's folder for programs.
void TDisplayScreen::ChooseScope(TInstallScope scope)
{
    const TInstallSettings& settings = Global.InstallSettings;
    const std::string from = ProgramsBase(Global.Scope, settings.Product64, settings.UnderProgramFiles);
    const std::string to = ProgramsBase(scope, settings.Product64, settings.UnderProgramFiles);
    const std::string dir = Main_Dir.Text();
    if (StartsWithNoCase(dir, UpperCase(from))) Main_Dir.SetText(to + dir.substr(from.size()));
    Global.Scope = scope;
}
