#pragma once
// What the screen tests start from: the program in install mode for the test, and again after it for the tests
// that follow, and a scratch folder as the TempDir that the expander leaves the support files in.
#include "app/screen/DisplayScreen.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

class InstallModeScreen : public ::testing::Test {
protected:
    InstallModeScreen() { Global.UninstallMode = false; }
    ~InstallModeScreen() override { Global.UninstallMode = false; }

    // The support files are in the scratch TempDir, and the screen's expansion reads its configuration there.
    void ExpandsFromScratch(TDisplayScreen& screen)
    {
        Global.TempDir = scratch.Path();
        screen.ExpandSupportFiles = [&screen, this] { screen.LoadSetupConfig(scratch.Path()); };
    }

    ScratchDir scratch;
};
