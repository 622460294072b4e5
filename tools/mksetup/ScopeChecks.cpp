#include "tools/mksetup/ScopeChecks.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "config/DestinationRules.h"
#include "config/InstallScope.h"
#include "config/RegistryEntryLimit.h"
#include "config/RegistryEntryTarget.h"
#include "config/TextFields.h"
#include "tools/mksetup/Product.h"

namespace {

const char* const kRegistrySection = "INI\\Registry";
const char* const kPerUser = "a per-user product (Install Scope=user) installs without an administrator";

// Folders that tell where finstall.cfg's tokens put a line: every one but the destination folder is the machine's.
const DestinationBases kMarkers{"M:\\", "W:\\windows", "R:\\", "P:\\programs\\", "S:\\system\\"};

// The token that puts a destination into a folder of the machine, or nothing for the destination folder.
const char* MachineFolderToken(const std::string& destination)
{
    const std::pair<const char*, const char*> folders[] = {
        {"W:\\windows\\System\\", "System"}, {"W:\\windows\\Fonts\\", "Fonts"},   {"W:\\windows\\", "Windows"},
        {"S:\\system\\", "System32"},        {"P:\\programs\\", "Program Files"}, {"R:\\", "Root"}};
    for (const auto& [marker, token] : folders)
        if (destination.starts_with(marker)) return token;
    return nullptr;
}

class ScopeChecker {
public:
    ScopeChecker(Product& product, InstallScope scope) : p_(product), scope_(scope) {}

    void Run()
    {
        if (scope_ == InstallScope::User) {
            CheckDestinations();
            CheckAutoexec();
        }
        CheckRegistryEntries();
    }

private:
    void Report(Diagnostic::Level level, const std::string& file, int line, const std::string& where,
                const std::string& message)
    {
        p_.diagnostics.push_back({level, file, line, where, message});
    }

    void CheckDestinations()
    {
        for (std::size_t i = 0; i < p_.finstallLines.size(); ++i) {
            const std::string& line = p_.finstallLines[i];
            if (line.empty()) continue;
            const char* token = MachineFolderToken(ApplyDestinationTokens({line}, kMarkers).front());
            if (token != nullptr)
                Report(Diagnostic::Error, "finstall.cfg", static_cast<int>(i + 1), line,
                       "\"" + std::string(token) +
                           "\" is a folder of the machine, which only an administrator may "
                           "change, but " +
                           kPerUser + "; install below Installation Directory or choose another scope");
        }
    }

    void CheckAutoexec()
    {
        const ProfileSection* section = p_.install.FindSection("Autoexec.bat");
        if (section == nullptr) return;
        for (const ProfileKey& k : section->keys)
            if (k.value)
                Report(Diagnostic::Error, "install.cfg", k.line, k.name,
                       "Autoexec.bat is the machine's, which only an administrator may change, but " +
                           std::string(kPerUser) + "; remove the entry or choose another scope");
    }

    // The entries the setup applies: "INIREG 0" up to Count, the first key of each name.
    void CheckRegistryEntries()
    {
        const ProfileSection* section = p_.install.FindSection(kRegistrySection);
        if (section == nullptr) return;
        const int count = std::min(p_.install.ReadInteger(kRegistrySection, "Count", -1), kMaxRegistryEntries);
        std::set<int> seen;
        for (const ProfileKey& k : section->keys) {
            const std::string index = k.name.size() > 7 ? k.name.substr(7) : "";
            if (!k.value || !StartsWithNoCase(k.name, "INIREG ") || index.empty() || index.size() > 5 ||
                !std::all_of(index.begin(), index.end(), ::isdigit) || std::stoi(index) >= count ||
                !seen.insert(std::stoi(index)).second)
                continue;
            CheckRegistryEntry(k);
        }
    }

    void CheckRegistryEntry(const ProfileKey& k)
    {
        std::string fields = *k.value;
        const std::string target = SplitFirst(fields, ',');
        const std::string keyPath = target + "\\" + SplitFirst(fields, ',');
        const std::string where = "[" + std::string(kRegistrySection) + "] " + k.name;
        if (TargetIsIniFile(target)) {
            if (scope_ == InstallScope::User && IsBareFileName(target))
                Report(Diagnostic::Error, "install.cfg", k.line, where,
                       "the INI file " + target +
                           " lies in the Windows folder, which only an administrator may "
                           "change, but " +
                           kPerUser + "; remove the entry or choose another scope");
        } else if (IsLocalMachineKeyPath(keyPath)) {
            if (scope_ == InstallScope::User)
                Report(Diagnostic::Error, "install.cfg", k.line, where,
                       "HKEY_LOCAL_MACHINE is the machine's, which only an administrator may change, but " +
                           std::string(kPerUser) + "; write the key below HKEY_CURRENT_USER or choose another scope");
        } else if (scope_ == InstallScope::Machine) {
            Report(Diagnostic::Warning, "install.cfg", k.line, where,
                   "a per-machine product (Install Scope=machine) serves every user, but an HKEY_CURRENT_USER entry "
                   "reaches only the account that runs the install; write the key below HKEY_LOCAL_MACHINE or "
                   "choose another scope");
        }
    }

    Product& p_;
    InstallScope scope_;
};

}  // namespace

void CheckScopeReach(Product& product)
{
    const std::optional<InstallScope> scope =
        ParseInstallScope(product.install.ReadString("Setup Screen", "Install Scope", ""));
    if (scope) ScopeChecker(product, *scope).Run();
}
