#include "app/product/SetupConfig.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "app/product/Destinations.h"
#include "app/product/MainDirectory.h"
#include "app/product/RunScope.h"
#include "config/RegistryEntryLimit.h"
#include "config/TextFields.h"
#include "port/WholeFile.h"
#include "settings/Utf8IniFile.h"

namespace {

constexpr const char* kScreen = "Setup Screen";
constexpr const char* kRegistrySection = "INI\\Registry";

TScreenLineConfig ReadScreenLine(const TUtf8IniFile& ini, std::size_t index)
{
    const std::string key = "Text Line " + std::to_string(index + 1);
    TScreenLineConfig line;
    line.Text = ini.ReadOptionalString(kScreen, key);
    line.FontName = ini.ReadOptionalString(kScreen, key + " Font Name");
    line.FontSize = ini.ReadOptionalInteger(kScreen, key + " Font Size");
    line.FontPitch = ini.ReadOptionalInteger(kScreen, key + " Font Pitch");
    line.FontColor = ini.ReadOptionalColor(kScreen, key + " Font Color");
    line.FontHeight = ini.ReadOptionalInteger(kScreen, key + " Font Height");
    line.FontStyle = ParseFontStyle(ini.ReadString(kScreen, key + " Font Style", ""));
    line.ShadowColor = ini.ReadOptionalColor(kScreen, key + " Shadow Color");
    return line;
}

TInstallSettings ReadSettings(const TUtf8IniFile& ini)
{
    const TInstallSettings defaults;
    TInstallSettings settings;
    settings.DisplayStyle = ini.ReadString(kScreen, "Display Style", defaults.DisplayStyle);
    settings.LogoPos = ini.ReadString(kScreen, "Logo Pos", defaults.LogoPos);
    settings.LogoFile = FileNamePart(ini.ReadString(kScreen, "Logo File", ""));
    settings.BitMapFile = FileNamePart(ini.ReadString(kScreen, "BitMap", ""));
    settings.RebootOption = ini.ReadBool(kScreen, "ReBoot Option", defaults.RebootOption);
    settings.RestartOption = ini.ReadBool(kScreen, "ReStart Option", defaults.RestartOption);
    settings.LaunchApplication = ini.ReadString(kScreen, "Launch Application", "");
    settings.MainDirectory = ini.ReadString(kScreen, "Main Directory", defaults.MainDirectory);
    settings.App16Bit = ini.ReadBool(kScreen, "16Bit App", defaults.App16Bit);
    settings.App32Bit = ini.ReadBool(kScreen, "32Bit App", defaults.App32Bit);
    settings.UnderProgramFiles = ini.ReadBool(kScreen, "Under Program Files", defaults.UnderProgramFiles);
    settings.DesktopFolder = ini.ReadString(kScreen, "Desktop Folder", defaults.DesktopFolder);
    settings.ProductVersion = ini.ReadString(kScreen, "Product Version", "");
    settings.Publisher = ini.ReadString(kScreen, "Publisher", "");
    settings.ProductId = ini.ReadString(kScreen, "Product Id", "");
    settings.DisplayIcon = ini.ReadString(kScreen, "Display Icon", "");
    settings.HelpLink = ini.ReadString(kScreen, "Help Link", "");
    settings.AboutLink = ini.ReadString(kScreen, "About Link", "");
    settings.Scope = ScopeSetting(ini.ReadString(kScreen, "Install Scope", ""));
    settings.Product64 = ini.ReadBool(kScreen, "64-bit Product", false);
    return settings;
}

TFinishedChoices FinishedChoicesOf(const TInstallSettings& settings)
{
    TFinishedChoices choices;
    choices.RebootVisible = settings.RebootOption;
    choices.LaunchVisible = !settings.LaunchApplication.empty();
    choices.LaunchSelected = choices.LaunchVisible;
    choices.LaunchCaption = settings.LaunchApplication;
    choices.CreateFolderCaption = settings.DesktopFolder;
    return choices;
}

// "INIREG 0" .. "INIREG Count-1"; a missing key is an empty entry.
TStringList ReadRegistryEntries(const TUtf8IniFile& ini)
{
    const int count = std::min(ini.ReadInteger(kRegistrySection, "Count", -1), kMaxRegistryEntries);
    TStringList entries;
    for (int index = 0; index < count; ++index)
        entries.push_back(ini.ReadString(kRegistrySection, "INIREG " + std::to_string(index), ""));
    return entries;
}

// Each program reduced to its file name, its arguments kept: the programs lie in TempDir.
TStringList LaunchCommands(TStringList commands)
{
    for (std::string& command : commands) {
        const std::string program = ProgramPart(command);
        command = FileNamePart(program) + command.substr(program.size());
    }
    return commands;
}

// The lines of finstall.cfg; nothing when the file cannot be read, whatever the reason.
std::optional<TStringList> ReadInstallFiles(const std::string& path)
{
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return std::nullopt;
    return SplitLines(WithoutUtf8Mark(*text));
}

// The pixel height of a point size: -round(size * pixelsPerInch / 72), kept within an int.
int HeightOfSize(int size, int pixelsPerInch)
{
    const std::int64_t product = std::int64_t{size} * pixelsPerInch;
    const std::int64_t rounded = product >= 0 ? (product + 36) / 72 : -((-product + 36) / 72);
    return static_cast<int>(std::clamp<std::int64_t>(-rounded, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

void ApplyFontKeys(const TScreenLineConfig& line, TLabelFont& font)
{
    if (line.FontName) font.Name = *line.FontName;
    if (line.FontSize) font.Height = HeightOfSize(*line.FontSize, font.PixelsPerInch);
    if (line.FontPitch && *line.FontPitch > 0) font.PixelsPerInch = *line.FontPitch;
    if (line.FontColor) font.Color = *line.FontColor;
    if (line.FontHeight) font.Height = *line.FontHeight;
    font.Style = line.FontStyle;
}

TSetupConfig ReadSetupConfig(const std::string& dir, TInstallScope answer)
{
    const TUtf8IniFile ini(dir + "install.cfg");
    TSetupConfig config;
    for (std::size_t index = 0; index < config.Lines.size(); ++index) config.Lines[index] = ReadScreenLine(ini, index);

    config.FromColor = ini.ReadColor(kScreen, "From Color", config.FromColor);
    config.ToColor = ini.ReadColor(kScreen, "To Color", config.ToColor);
    config.ImageBorderColor = ini.ReadColor(kScreen, "Image Border Color", config.ImageBorderColor);
    config.Settings = ReadSettings(ini);

    config.Scope = RunScope(config.Settings.Scope, answer);
    const TInstallSettings& settings = config.Settings;
    config.MainDir = ResolveMainDirectory(settings.MainDirectory,
                                          ProgramsBase(config.Scope, settings.Product64, settings.UnderProgramFiles));
    if (IsRegistryReference(config.Settings.MainDirectory)) config.Settings.MainDirectory = config.MainDir;
    config.Finished = FinishedChoicesOf(config.Settings);

    config.AutoexecEntries = ini.ReadSection("Autoexec.bat");
    config.RegistryEntries = ReadRegistryEntries(ini);
    config.LaunchFiles = LaunchCommands(ini.ReadSection("Launch Applications"));
    config.ShortcutEntries = ini.ReadSection("Desktop");
    config.InstallFiles = ReadInstallFiles(dir + "finstall.cfg");
    return config;
}

std::string ProductTitleOf(const TSetupConfig& config)
{
    return config.Lines[0].Text.value_or(kInstallTitle);
}

std::string EntryKeyOf(const TInstallSettings& settings, const std::string& title)
{
    return settings.ProductId.empty() ? title : settings.ProductId;
}

std::array<bool, 3> ShortcutFlagsOf(std::string entry)
{
    SplitFirst(entry, ',');
    SplitFirst(entry, ',');
    std::array<bool, 3> flags{};
    for (bool& flag : flags) flag = SplitFirst(entry, ',') == "X";
    return flags;
}

std::string ApplyToGlobals(const TSetupConfig& config, TGlobal& global)
{
    global.InstallSettings = config.Settings;
    global.Scope = config.Scope;
    global.AutoexecEntries = config.AutoexecEntries;
    global.RegistryEntries.insert(global.RegistryEntries.end(), config.RegistryEntries.begin(),
                                  config.RegistryEntries.end());
    global.LaunchFiles = config.LaunchFiles;
    global.ShortcutEntries = config.ShortcutEntries;
    if (config.InstallFiles) global.InstallFiles = *config.InstallFiles;
    const std::string mainDir = WithTrailingBackslash(config.MainDir);
    global.DestinationFiles = ResolveDestinations(global.InstallFiles, mainDir);
    return mainDir;
}
