#pragma once
// The install journey's screen on the sample product's configuration, as the expander leaves it, installing
// nothing but two files into the Windows directory: for the tests that walk every page.
#include "app/install/UninstallKey.h"
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "shell/ShellFolders.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InstallModeScreen.h"
#include "InstallTestSupport.h"

inline constexpr const char* kTitle = "Northwind Notes 2.0";
// The files the journey installs, into the Windows directory: the uninstaller asks before it removes each.
inline constexpr const char* kSystemFiles[] = {"setuptests-pages-1.txt", "setuptests-pages-2.txt"};

// Leaves the page forward by its button: Accept on the agreement, Next elsewhere.
inline void Forward(TDisplayScreen& screen)
{
    if (screen.Notebook1.PageIndex() == PageIndex(WizardPage::Agreement))
        screen.Accept.Click();
    else
        screen.Next1.Click();
}

class SampleScreen : public InstallModeScreen {
protected:
    void SetUp() override
    {
        CreateDirectoryA(temp_.c_str(), nullptr);
        for (const char* name : {"install.cfg", "finstall.cfg", "logo.gif", "back.bmp", "license.txt"})
            ASSERT_TRUE(CopyFileA((std::string(SAMPLE_DIR) + "\\" + name).c_str(), (temp_ + name).c_str(), FALSE))
                << name;
        ScratchDir::Write(temp_ + "setup.exe", "MZ");
        for (const char* name : kSystemFiles) ScratchDir::Write(temp_ + name, "pages");
    }

    static std::string InWindows(const char* name) { return WindowsDir() + "\\" + name; }

    // An install-mode screen that installs nothing but its support files into `destination` and kSystemFiles:
    // no registry entry, no program to launch.
    std::unique_ptr<TDisplayScreen> OpenScreen(const std::string& destination)
    {
        Global.UninstallMode = false;
        auto screen = std::make_unique<TDisplayScreen>(TCommandLine{});
        TDisplayScreen& opened = *screen;
        opened.ExpandSupportFiles = [this, &opened, destination] {
            Global.TempDir = temp_;
            opened.LoadSetupConfig(temp_);
            Global.InstallFiles.clear();
            for (const char* name : kSystemFiles)
                Global.InstallFiles.push_back(std::string("Windows,C:\\src\\") + name);
            Global.RegistryEntries.clear();
            Global.LaunchFiles.clear();
            Global.AutoexecEntries.clear();
            opened.Main_Dir.SetText(destination);
        };
        return screen;
    }

    // The uninstaller of the installation the journey made.
    static TCommandLine UninstallLine()
    {
        TCommandLine line;
        line.Arguments = {"Northwind", "Notes", "2.0"};
        return line;
    }

    const std::string temp_ = scratch / "Temp\\";
    const std::string app_ = scratch / "App\\";
    Leftovers leftovers_{{{HKEY_LOCAL_MACHINE, UninstallKeyPath(kTitle)}},
                         {InWindows(kSystemFiles[0]), InWindows(kSystemFiles[1])}};
};
