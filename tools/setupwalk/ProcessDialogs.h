#pragma once
// The driven program's message boxes and questions: its visible top-level windows with push buttons of
// their own (the setup screen's buttons sit deeper, in its panels), found and answered by their texts.
#include "DrivenProcess.h"

#include <optional>
#include <string>
#include <vector>

struct ProcessDialog {
    HWND Window = nullptr;
    std::string Caption;
    std::string Message;               // the texts beside the buttons, one per line
    std::vector<std::string> Buttons;  // as the user reads them, without access marks
};

std::optional<ProcessDialog> FindDialog(const DrivenProcess& process);
// Clicks the button the user reads as caption; throws Exception naming the dialog when it has none.
void PressButton(const ProcessDialog& dialog, const std::string& caption);
