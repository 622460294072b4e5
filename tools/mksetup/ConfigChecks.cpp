#include "tools/mksetup/ConfigChecks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "config/DestinationRules.h"
#include "config/InstallScope.h"
#include "config/ProfileNumbers.h"
#include "config/RegistryEntryLimit.h"
#include "config/TextFields.h"
#include "tools/mksetup/Product.h"
#include "tools/mksetup/ScopeChecks.h"

namespace {

const char* const kScreen = "Setup Screen";

const std::array<const char*, 11> kDisplayStyles = {
    "Solid Color", "Horizontal In", "Horizontal Out", "Vertical In", "Vertical Out", "Left",
    "Right", "Up", "Down", "Stretch Bitmap Image", "Tile Bitmap Image"};
const std::array<const char*, 7> kLogoPositions = {
    "Upper Right", "Bottom Right", "Upper Left (Under Text)", "Bottom Left", "Upper Center", "Lower Center", "Center"};
const std::array<const char*, 7> kDestinationTokens = {
    "Installation Directory", "Program Files", "Windows", "System", "System32", "Fonts", "Root"};

constexpr std::size_t kMaxKeyNameLength = 255;

bool IsDottedVersion(const std::string& version)
{
    int parts = 0;
    std::string_view rest = version;
    while (true) {
        const std::size_t dot = std::min(rest.find('.'), rest.size());
        const std::string_view part = rest.substr(0, dot);
        if (part.empty() || part.size() > 5 || !std::all_of(part.begin(), part.end(), ::isdigit) || ++parts > 4)
            return false;
        if (dot == rest.size()) return true;
        rest.remove_prefix(dot + 1);
    }
}

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

template <std::size_t N>
const char* CaseBlindMatch(const std::string& value, const std::array<const char*, N>& names)
{
    for (const char* name : names)
        if (Upper(value) == Upper(name)) return name;
    return nullptr;
}

template <std::size_t N>
bool ExactMatch(const std::string& value, const std::array<const char*, N>& names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return value == name; });
}

template <std::size_t N>
std::string NameList(const std::array<const char*, N>& names)
{
    std::string list;
    for (const char* name : names) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

class Checker {
public:
    explicit Checker(Product& product) : p_(product) {}

    void Run()
    {
        CheckTitle();
        CheckNamedSetting("Display Style", kDisplayStyles, "the background keeps its designed effect");
        CheckNamedSetting("Logo Pos", kLogoPositions, "the logo stays where the designed layout puts it");
        CheckLogo();
        CheckFontPitches();
        CheckShortcuts();
        CheckRegistryEntries();
        CheckDestinationTokens();
        CheckProductId();
        CheckProductVersion();
        CheckDisplayIcon();
        for (const char* key : {"Help Link", "About Link"}) CheckLink(key);
        CheckInstallScope();
        Check64BitProduct();
    }

private:
    void Report(Diagnostic::Level level, const std::string& file, int line, const std::string& where,
                const std::string& message)
    {
        p_.diagnostics.push_back({level, file, line, where, message});
    }

    void ReportKey(Diagnostic::Level level, const std::string& section, const std::string& key,
                   const std::string& message)
    {
        const ProfileKey* k = p_.install.FindKey(section, key);
        Report(level, "install.cfg", k != nullptr ? k->line : 0, "[" + section + "] " + key, message);
    }

    void CheckTitle()
    {
        const auto title = p_.install.ReadString(kScreen, "Text Line 1");
        if (!title)
            ReportKey(Diagnostic::Warning, kScreen, "Text Line 1",
                      "no title: the setup shows its default title and enters the uninstaller under it; "
                      "give the product's name");
        else if (title->empty())
            ReportKey(Diagnostic::Error, kScreen, "Text Line 1",
                      "the title is empty, but it names the uninstall entry; give the product's name");
        else if (title->find('\\') != std::string::npos)
            ReportKey(Diagnostic::Error, kScreen, "Text Line 1",
                      "the title names the uninstall registry key and must not hold \"\\\"; remove it");
    }

    template <std::size_t N>
    void CheckNamedSetting(const char* key, const std::array<const char*, N>& names, const std::string& effect)
    {
        const auto value = p_.install.ReadString(kScreen, key);
        if (!value || ExactMatch(*value, names)) return;
        const char* near = CaseBlindMatch(*value, names);
        ReportKey(Diagnostic::Warning, kScreen, key,
                  "\"" + *value + "\" matches no name, so " + effect + "; " +
                      (near != nullptr ? "names are compared exactly: write \"" + std::string(near) + "\""
                                       : "use one of " + NameList(names)));
    }

    void CheckLogo()
    {
        const std::string logo = p_.install.ReadString(kScreen, "Logo File", "");
        if (logo.empty()) return;
        const std::string upper = Upper(logo);
        if (upper.find(".BMP") == std::string::npos && upper.find(".GIF") == std::string::npos)
            ReportKey(Diagnostic::Warning, kScreen, "Logo File",
                      "a logo is shown as a .bmp picture or played as a .gif animation; this one would not show");
    }

    // The setup takes only a positive pixels-per-inch factor; any other keeps the one the font has.
    void CheckFontPitches()
    {
        for (int line = 1; line <= 4; ++line) {
            const std::string key = "Text Line " + std::to_string(line) + " Font Pitch";
            const auto value = p_.install.ReadString(kScreen, key);
            if (!value || value->empty()) continue;
            const std::optional<std::int32_t> pitch = ParseProfileInteger(*value);
            if (pitch && *pitch > 0) continue;
            ReportKey(Diagnostic::Warning, kScreen, key,
                      "\"" + *value + "\" is no pixels-per-inch factor, so the setup keeps the font's own (the "
                      "screen's) for later sizes; give a positive number such as 96");
        }
    }

    void CheckShortcuts()
    {
        const ProfileSection* desktop = p_.install.FindSection("Desktop");
        if (desktop == nullptr) return;
        for (const std::string& entry : p_.install.KeyNames("Desktop")) {
            const auto fields = std::count(entry.begin(), entry.end(), ',') + 1;
            if (fields >= 8) continue;
            int line = 0;
            for (const ProfileKey& k : desktop->keys)
                if (k.name == entry) line = k.line;
            Report(Diagnostic::Error, "install.cfg", line, entry,
                   "a shortcut needs 8 fields (name, target, Start Menu X, Desktop X, Quick Launch X, unused, "
                   "folder, icon); this one has " + std::to_string(fields));
        }
    }

    void CheckRegistryEntries()
    {
        const char* section = "INI\\Registry";
        const ProfileSection* s = p_.install.FindSection(section);
        if (s == nullptr) return;
        const int configured = p_.install.ReadInteger(section, "Count", -1);
        if (configured > kMaxRegistryEntries)
            ReportKey(Diagnostic::Warning, section, "Count",
                      "Count is " + std::to_string(configured) + ", but the setup reads only the first " +
                          std::to_string(kMaxRegistryEntries) + " entries; lower Count");
        const int count = std::min(configured, kMaxRegistryEntries);
        std::set<int> present;
        for (const ProfileKey& k : s->keys) {
            if (Upper(k.name).rfind("INIREG ", 0) != 0) continue;
            const std::string index = k.name.substr(7);
            if (!index.empty() && std::all_of(index.begin(), index.end(), ::isdigit) && index.size() < 6)
                present.insert(std::stoi(index));
        }
        for (int i = 0; i < count; ++i)
            if (present.count(i) == 0)
                ReportKey(Diagnostic::Error, section, "Count",
                          "Count is " + std::to_string(count) + " but \"INIREG " + std::to_string(i) +
                              "\" is missing: an empty entry would be applied; add it or lower Count");
        for (const int i : present)
            if (i >= count)
                ReportKey(Diagnostic::Warning, section, "INIREG " + std::to_string(i),
                          "ignored: Count is " + std::to_string(count) + "; raise Count to use it");
        for (int i = 0; i < count; ++i) {
            const std::string key = "INIREG " + std::to_string(i);
            const std::string value = p_.install.ReadString(section, key, "");
            if (present.count(i) != 0 && std::count(value.begin(), value.end(), ',') < 3)
                ReportKey(Diagnostic::Error, section, key,
                          "an entry needs 4 fields: file or key, section or subkey, value name, value");
        }
    }

    void CheckDestinationTokens()
    {
        for (std::size_t i = 0; i < p_.finstallLines.size(); ++i) {
            std::string line = p_.finstallLines[i];
            std::vector<std::string> tokens;
            while (line.find('\t') != std::string::npos) tokens.push_back(SplitFirst(line, '\t'));
            while (line.find(',') != std::string::npos) tokens.push_back(SplitFirst(line, ','));
            for (const std::string& token : tokens) {
                const char* near = CaseBlindMatch(token, kDestinationTokens);
                if (near != nullptr && token != near)
                    Report(Diagnostic::Error, "finstall.cfg", static_cast<int>(i + 1), p_.finstallLines[i],
                           "\"" + token + "\" is not a destination but a folder name (tokens are compared exactly); "
                           "write \"" + near + "\"");
            }
        }
    }

    // The id names the uninstall entry's key, as the title does without it.
    void CheckProductId()
    {
        const auto id = p_.install.ReadString(kScreen, "Product Id");
        if (!id) return;
        if (id->empty() || id->find('\\') != std::string::npos || id->size() > kMaxKeyNameLength)
            ReportKey(Diagnostic::Error, kScreen, "Product Id",
                      "the id names the uninstall registry key: give up to 255 characters without \"\\\"");
    }

    // Inventories and upgrades compare versions as numbers between dots.
    void CheckProductVersion()
    {
        const auto version = p_.install.ReadString(kScreen, "Product Version");
        if (!version || IsDottedVersion(*version)) return;
        ReportKey(
            Diagnostic::Warning, kScreen, "Product Version",
            "\"" + *version + "\" is not up to four numbers between dots, such as 2.0.1; Windows shows it as text");
    }

    // An icon outside the installation may not be there on the user's machine, or may be someone else's.
    void CheckDisplayIcon()
    {
        const auto icon = p_.install.ReadString(kScreen, "Display Icon");
        if (!icon) return;
        const DestinationBases bases{"M:\\main\\", "W:\\windows", "R:\\", "P:\\programs\\", "S:\\system\\"};
        const std::string path = Upper(ApplyPathMacros(*icon, bases));
        std::vector<std::string> placed = ApplyDestinationTokens(p_.finstallLines, bases);
        placed.push_back(bases.main + "setup.exe");
        if (std::none_of(placed.begin(), placed.end(), [&](const std::string& file) { return Upper(file) == path; }))
            ReportKey(Diagnostic::Error, kScreen, "Display Icon",
                      "\"" + *icon +
                          "\" is no file the installation places; name one as finstall.cfg does, such as "
                          "<InstallDir>\\notes.exe");
    }

    void CheckLink(const char* key)
    {
        const auto link = p_.install.ReadString(kScreen, key);
        if (!link || StartsWithNoCase(*link, "HTTPS://") || StartsWithNoCase(*link, "HTTP://")) return;
        ReportKey(Diagnostic::Warning, kScreen, key,
                  "\"" + *link + "\" is no web address; Windows offers it as a link: begin it with https://");
    }

    void CheckInstallScope()
    {
        const auto scope = p_.install.ReadString(kScreen, "Install Scope");
        if (!scope || ParseInstallScope(*scope)) return;
        ReportKey(Diagnostic::Error, kScreen, "Install Scope",
                  "\"" + *scope +
                      "\" is no scope; write machine, user or ask, or leave the key out to install per machine "
                      "with the shortcuts of the user who runs the setup");
    }

    // The setup reads the key as a switch: a word as 0, any other number as 1. Either is likely a slip.
    void Check64BitProduct()
    {
        const auto value = p_.install.ReadString(kScreen, "64-bit Product");
        if (!value || *value == "0" || *value == "1") return;
        const bool on = p_.install.ReadBool(kScreen, "64-bit Product", false);
        ReportKey(Diagnostic::Warning, kScreen, "64-bit Product",
                  "\"" + *value + "\" is read as " + (on ? "1, a 64-bit product" : "0, a 32-bit product") +
                      "; write 1 for a 64-bit product or 0 for a 32-bit one");
    }

    Product& p_;
};

}  // namespace

void CheckConfiguration(Product& product)
{
    Checker(product).Run();
    CheckScopeReach(product);
}
