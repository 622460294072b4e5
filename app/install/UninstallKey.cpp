#include "app/install/UninstallKey.h"

#include <windows.h>

#include <array>
#include <utility>

#include "app/record/KeyPath.h"
#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "settings/Registry.h"

namespace {

constexpr std::array<const char*, 13> kEntryValues = {
    "DisplayName",          "DisplayVersion", "Publisher",   "InstallLocation", "DisplayIcon", "UninstallString",
    "QuietUninstallString", "EstimatedSize",  "InstallDate", "NoModify",        "NoRepair",    "HelpLink",
    "URLInfoAbout"};

// Today as Windows' inventories read it: YYYYMMDD.
std::string InstallDate()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return std::to_string(now.wYear * 10000 + now.wMonth * 100 + now.wDay);
}

// Kilobytes, rounded up, within a DWORD.
std::uint32_t KilobytesOf(std::uint64_t bytes)
{
    const std::uint64_t kilobytes = (bytes + 1023) / 1024;
    return kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kilobytes);
}

std::vector<std::pair<const char*, std::string>> TextValuesOf(const TEntryFacts& facts)
{
    std::vector<std::pair<const char*, std::string>> values = {
        {"DisplayName", facts.Title},
        {"DisplayVersion", facts.Version},
        {"Publisher", facts.Publisher},
        {"InstallLocation", facts.InstallDir},
        {"DisplayIcon", facts.DisplayIcon},
        {"UninstallString", UninstallCommand(facts.InstallDir, facts.Key)},
        {"QuietUninstallString", UninstallCommand(facts.InstallDir, facts.Key, true)},
        {"InstallDate", InstallDate()},
        {"HelpLink", facts.HelpLink},
        {"URLInfoAbout", facts.AboutLink},
    };
    std::erase_if(values, [](const auto& value) { return value.second.empty(); });
    return values;
}

}  // namespace

std::string UninstallKeyPath(const std::string& key)
{
    return "Software\\Microsoft\\Windows\\currentversion\\uninstall\\" + key;
}

std::string UninstallCommand(const std::string& installDir, const std::string& key, bool quiet)
{
    // A program whose path is longer than MAX_PATH cannot be started: such a one is named by its 8.3 form.
    std::string program = installDir + "setup.exe";
    if (port::Widened(program).size() >= MAX_PATH) program = port::ShortPathOf(program);
    return Concat({"\"", program, quiet ? "\" /S -- " : "\" -- ", key});
}

void WriteUninstallKey(const TEntryFacts& facts, TInstallProgress& progress, TInstallJournal& journal)
{
    progress.SetCaption(ilLabel2, "Creating Uninstaller");
    progress.ProcessMessages();
    if (facts.Key.empty() || facts.Key.find('\\') != std::string::npos) return;
    const std::string path = UninstallKeyPath(facts.Key);
    const TKeyPath key{facts.Root, path};
    journal.KeysToCreate(key);
    for (const char* name : kEntryValues) journal.ValueToWrite(key, name);
    TRegistry registry(facts.Root);
    if (!registry.OpenKey(path, true)) {
        progress.Log(Concat({"Uninstall entry not created: ", KeyPathText(key)}));
        return;
    }
    // An upgrade's entry says nothing that only the earlier version said.
    for (const char* name : kEntryValues) registry.DeleteValue(name);
    for (const auto& [name, value] : TextValuesOf(facts)) registry.WriteString(name, value);
    registry.WriteInteger("EstimatedSize", KilobytesOf(facts.PlacedBytes));
    registry.WriteInteger("NoModify", 1);
    registry.WriteInteger("NoRepair", 1);
    progress.Log(Concat(
        {"Uninstall entry ", KeyPathText(key), " [UninstallString]=", UninstallCommand(facts.InstallDir, facts.Key)}));
}
