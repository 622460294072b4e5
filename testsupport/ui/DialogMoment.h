#pragma once
// What a window shows while a dialog of this thread stands over it: the modal loop of a message box or a
// question is the one moment a long handler (an install run, an uninstall run, an expansion) holds still.
#include "testsupport/ui/ScreenPicture.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TDialogMoment {
    std::string Dialog;                       // the texts of the dialog's own controls, one a line
    std::optional<TScreenPicture> Picture;    // the window once its picture settled
    std::optional<TScreenPicture> Repainted;  // the same window with every pixel painted again
    std::vector<std::string> LayoutFaults;    // of the window, at that moment
};

// Runs action and answers every dialog that opens meanwhile by its button captioned `answer` (without its access
// mark); at the dialog after the first `passed` ones it takes the moment of window first. `mask` marks what
// moves by itself in each picture.
TDialogMoment AtDialog(HWND window, const std::function<void()>& action, const std::string& answer,
                       const std::function<void(TScreenPicture&)>& mask = {}, int passed = 0);
