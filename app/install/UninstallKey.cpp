#include "app/install/UninstallKey.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/win32/WideText.h"
#include "settings/Registry.h"

std::string UninstallKeyPath(const std::string& title)
{
    return "Software\\Microsoft\\Windows\\currentversion\\uninstall\\" + title;
}

std::string UninstallCommand(const std::string& installDir, const std::string& title)
{
    // A program whose path is longer than MAX_PATH cannot be started: such a one is named by its 8.3 form.
    std::string program = installDir + "setup.exe";
    if (port::Widened(program).size() >= MAX_PATH) program = port::ShortPathOf(program);
    return "\"" + program + "\" -- " + title;
}

void WriteUninstallKey(const std::string& title, const std::string& installDir, TInstallProgress& progress,
                       TInstallJournal& journal)
{
    progress.SetCaption(ilLabel2, "Creating Uninstaller");
    progress.ProcessMessages();
    if (title.empty() || title.find('\\') != std::string::npos) return;
    const TKeyPath key{HKEY_LOCAL_MACHINE, UninstallKeyPath(title)};
    journal.KeysToCreate(key);
    for (const char* name : {"DisplayName", "UninstallString"}) journal.ValueToWrite(key, name);
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
