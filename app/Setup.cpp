// The entry point: title, uninstall directory, mode, then the setup screen until it closes.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "app/RunMode.h"
#include "bootstrap/Unzip1.h"
#include "port/FileSystem.h"
#include "ui/Application.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    Application::SetTitle(kInstallTitle);
    Global.UninstallMode = false;
    const std::vector<std::string> arguments = CommandLineArguments();
    EnterUninstallDirectory(arguments);
    if (ChooseUninstallMode(arguments, port::CurrentDir())) {
        Global.UninstallMode = true;
        Application::SetTitle(kUninstallTitle);
    }
    try {
        // After a failure the expander's window stays, showing where it stopped, until the program ends.
        std::optional<TUNZIP> unzip;
        TDisplayScreen screen(arguments);
        screen.ExpandSupportFiles = [&screen, &unzip] {
            unzip.emplace([&screen](const std::string& dir) { screen.LoadSetupConfig(dir); }, nullptr, screen.Handle());
            unzip->Show();
            unzip->ExpandSupportFiles();
            if (!Global.ExpandFailed) unzip.reset();
        };
        Application::Run(screen);
    } catch (...) {
        Application::HandleException();
        return 1;
    }
    return 0;
}
