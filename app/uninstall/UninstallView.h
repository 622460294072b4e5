#pragma once
// What the uninstall engine needs of the Uninstaller page: the form implements it with its controls
// and dialogs, a silent run with fixed answers and its log, tests with a scripted recorder. The engine holds every text; the page only shows them.
#include <string>

// The answers of the "Confirm" dialog; any other way of closing it is caNone.
enum TConfirmAnswer { caNone, caYes, caNo, caAll };

class TUninstallView {
public:
    virtual ~TUninstallView() = default;

    // The status line beside "Status:".
    virtual void ShowStatus(const std::string& text) = 0;
    // Stage 1 to 4 is Start1 to Start4; its mark is StepMarks 3 to 6.
    virtual void ShowStageMark(int stage) = 0;
    virtual void SetStageBold(int stage, bool bold) = 0;
    virtual void SetProgressRange(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The button Remove.
    virtual void SetRemoveCaption(const std::string& caption) = 0;
    virtual void SetRemoveEnabled(bool enabled) = 0;
    // The setup screen's line TextInfo2.
    virtual void ShowSummary(const std::string& text) = 0;
    // The modal question: caption "Confirm", question icon, buttons "&Yes", "&No" and "&All"; the
    // text breaks its lines with CR.
    virtual TConfirmAnswer Confirm(const std::string& question) = 0;
    virtual void ProcessMessages() = 0;
    // One line for the run's log: what was removed, kept or left to the next restart.
    virtual void Log(const std::string& event) = 0;
    // Something the user must read before the run ends: a message box, or in a silent run the log.
    virtual void Warn(const std::string& message) = 0;
    // Closes the wizard form, which ends the program.
    virtual void Close() = 0;
};
