#include "app/install/UninstallKey.h"

#include "config/TextFields.h"
#include "settings/Registry.h"

std::string UninstallKeyPath(const std::string& title)
{
    return "Software\\Microsoft\\Windows\\currentversion\\uninstall\\" + title;
}

std::string UninstallCommand(const std::string& installDir, const std::string& title)
{
    return "\"" + installDir + "setup.exe\" -- " + title;
}

void WriteUninstallKey(const std::string& title, const std::string& installDir, TInstallProgress& progress)
{
    progress.SetCaption(ilLabel2, "Creating Uninstaller");
    progress.ProcessMessages();
    if (title.empty() || title.find('\\') != std::string::npos) return;
    TRegistry registry(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(UninstallKeyPath(title), true)) {
        progress.Log(Concat({"Uninstall entry not created: HKEY_LOCAL_MACHINE\\", UninstallKeyPath(title)}));
        return;
    }
    registry.WriteString("DisplayName", title);
    registry.WriteString("UninstallString", UninstallCommand(installDir, title));
    progress.Log(Concat({"Uninstall entry HKEY_LOCAL_MACHINE\\", UninstallKeyPath(title),
                         " [UninstallString]=", UninstallCommand(installDir, title)}));
}
