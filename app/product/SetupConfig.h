#pragma once
// Reading install.cfg and finstall.cfg into one value, without touching a window; the setup screen
// applies the value to its controls (TDisplayScreen::LoadSetupConfig) and to Global (ApplyToGlobals):
//   config = ReadSetupConfig(dir);
//   for each line N: TextInfoN text := Text if any, ApplyFontKeys(line, its font), shadow := ShadowColor if any;
//   gradient := FromColor, ToColor; ImageHolder1 colour := ImageBorderColor; the Finished page from
//   Finished; Main_Dir text := ApplyToGlobals(config, Global); then the logo, dir + BitMapFile when
//   set, and the layout.
//
// Plan list elements (fields separated by "," and cut with SplitFirst):
// - InstallFiles: one finstall.cfg line: destination tokens each ended by a TAB or ",", then a source
//   path, of which only the file-name part counts (the file of that name in TempDir).
// - DestinationFiles: see ResolveDestinations (app/product/Destinations.h).
// - RegistryEntries: target, section or subkey, value name, value.
// - ShortcutEntries: name, target (with a path macro), "X" for Start Menu, Desktop and Quick Launch,
//   unused, program folder, icon file.
// - LaunchFiles: a bare file name among the support files, with the arguments that follow it. AutoexecEntries: free text.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "config/FontStyle.h"
#include "state/Global.h"

// One of the four text lines, "Text Line N ...". A key that is not there (or, for a number or a
// colour, is empty or not a number) is nothing here, and the label keeps its current value: the
// designed text, or the one an earlier load or the uninstaller put there. Only the style always
// has a value: a missing style list means no style.
struct TScreenLineConfig {
    std::optional<std::string> Text;
    std::optional<std::string> FontName;
    std::optional<int> FontSize;   // points
    std::optional<int> FontPitch;  // pixels per inch, for later size conversions
    std::optional<std::uint32_t> FontColor;
    std::optional<int> FontHeight;  // pixels; negative gives the character height
    TFontStyles FontStyle;
    std::optional<std::uint32_t> ShadowColor;
};

// A label's font as the text lines set it; a point size is kept as the pixel height it gives.
struct TLabelFont {
    std::string Name;
    int Height = 0;
    int PixelsPerInch = 96;
    std::uint32_t Color = 0;
    TFontStyles Style;
};

// The font keys of one line applied in their order: name; size, as the height
// -round(size * PixelsPerInch / 72) with the factor the font has before this line's pitch; pitch,
// when positive (no other factor converts a size; mksetup warns of one); colour; height, which thus
// overrides a size; style.
void ApplyFontKeys(const TScreenLineConfig& line, TLabelFont& font);

// The Finished page as the settings choose it: "ReStart Windows" shown when RebootOption, the
// launch choice shown and preselected when a launch application is set ("Return to Windows"
// otherwise, and always shown).
struct TFinishedChoices {
    bool RebootVisible = false;
    bool LaunchVisible = false;
    bool LaunchSelected = false;
    std::string LaunchCaption;        // LaunchApplication, unexpanded
    std::string CreateFolderCaption;  // DesktopFolder
};

struct TSetupConfig {
    std::array<TScreenLineConfig, 4> Lines;
    std::uint32_t FromColor = 0xFF0000;
    std::uint32_t ToColor = 0;
    std::uint32_t ImageBorderColor = 0x8000000F;
    TInstallSettings Settings;  // MainDirectory as resolved
    TInstallScope Scope = isUnset;  // the run's (RunScope in app/product/RunScope.h)
    std::string MainDir;            // the default destination, the text of Main_Dir (no "\" added)
    TFinishedChoices Finished;

    TStringList AutoexecEntries;  // replaces the plan's list
    TStringList RegistryEntries;  // appended to the plan's list: every load adds its entries again
    TStringList LaunchFiles;      // replaces; file-name parts with their arguments
    TStringList ShortcutEntries;  // replaces
    std::optional<TStringList> InstallFiles;  // replaces; nothing when finstall.cfg cannot be read
};

// Reads dir + "install.cfg" and dir + "finstall.cfg" (dir ends in "\" or is empty), both in UTF-8 (a byte-order
// mark at the start is skipped). A missing file, section or key gives the defaults; nothing is reported. answer is
// the command line's to a product that asks whose installation it is.
TSetupConfig ReadSetupConfig(const std::string& dir, TInstallScope answer = isUnset);

// The product's title: "Text Line 1", or the screen's own title when the configuration names none.
inline constexpr const char* kInstallTitle = "Tarvelo 2000";
std::string ProductTitleOf(const TSetupConfig& config);

// The key of the product's uninstall entry: its "Product Id", or its title without one.
std::string EntryKeyOf(const TInstallSettings& settings, const std::string& title);

// Where a shortcut entry ("name,target,X,X,X,...") asks for a shortcut: "X" in its third, fourth and fifth
// fields, for the Start Menu, the Desktop and Quick Launch.
std::array<bool, 3> ShortcutFlagsOf(std::string entry);

// Puts a load into the shared state: settings and lists replaced, registry entries appended,
// finstall.cfg lines replaced when the file was read, destinations resolved again. Returns the text
// Main_Dir shows from now on: config.MainDir with a trailing "\".
std::string ApplyToGlobals(const TSetupConfig& config, TGlobal& global);
