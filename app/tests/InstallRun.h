#pragma once
// The install tests' fixture: a plan whose support files lie in a scratch TempDir, installed into
// scratch\App (or wherever a test says) with the user's shell folders moved into the scratch directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "InstallTestSupport.h"
#include "app/install/InstallChoices.h"
#include "app/install/InstallEngine.h"
#include "app/product/Destinations.h"
#include "shell/ShellFolders.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"

class InstallRun : public ::testing::Test {
protected:
    using Keys = std::vector<std::string>;
    static constexpr const char* kTitle = "Setup Tests Engine";

    InstallRun() : folders_(scratch_.Path())
    {
        global.TempDir = scratch_ / "Temp\\";
        CreateDirectoryA(global.TempDir.c_str(), nullptr);
        for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) Support(name, std::string("the ") + name);
        choices.InstallDir = scratch_ / "App";
        choices.Title = kTitle;
    }

    void Support(const std::string& name, const std::string& contents) const
    {
        ScratchDir::Write(global.TempDir + name, contents);
    }

    // The plan as the configuration load leaves it, then the run.
    void Install(const Keys& finstallLines)
    {
        global.InstallFiles = finstallLines;
        global.DestinationFiles = ResolveDestinations(global.InstallFiles, choices.InstallDir);
        outcome_ = RunInstallation(global, choices, progress);
    }

    std::string AppDir() const { return choices.InstallDir + "\\"; }
    RawSections Record() const { return ReadRawSections(AppDir() + "uninstaller.cfg"); }

    ScratchDir scratch_;
    ScratchShellFolders folders_;
    TGlobal global;
    TInstallChoices choices;
    ProgressRecorder progress;
    TInstallOutcome outcome_;
    const std::string windows_ = WindowsDir();
};
