#pragma once
// What the install run shows while it works. The setup screen implements it with the controls of its
// install page, a silent run with its log alone; tests implement it with a recorder.
#include <string>

#include "port/Exception.h"

// Raised by ProcessMessages when the user has chosen to stop the installation; the run undoes what it did.
class EInstallCancelled : public Exception {
public:
    EInstallCancelled() : Exception("The installation was cancelled.") {}
};

// The labels of the install page whose captions the run sets.
enum TInstallLabel { ilDest1, ilLabel1, ilLabel2 };

// The stage markers: Image1 beside "Installing Files", StepMarks 1 beside Label1, StepMarks 2 beside Label2.
enum TInstallStage { isFiles, isFolders, isRegistry };

class TInstallProgress {
public:
    virtual ~TInstallProgress() = default;

    virtual void SetCaption(TInstallLabel label, const std::string& caption) = 0;
    // The bar's maximum (its minimum is 0); the position goes back to 0.
    virtual void SetProgressRange(int maximum) = 0;
    // Positions may pass the maximum: the bar then shows full.
    virtual void SetProgressPosition(int position) = 0;
    virtual void ShowStageMark(TInstallStage stage) = 0;
    // Lets the window repaint and answer between items; raises EInstallCancelled once the user has stopped the run.
    virtual void ProcessMessages() = 0;
    // One line for the run's log: a file installed, a folder, shortcut, INI key or registry value written,
    // the uninstall entry.
    virtual void Log(const std::string& event) = 0;
};

// The bar's position as the run advances it, one step per item.
class TProgressSteps {
public:
    explicit TProgressSteps(TInstallProgress& progress) : progress_(progress) {}

    void Start(int maximum)
    {
        position_ = 0;
        progress_.SetProgressRange(maximum);
    }
    void Step() { progress_.SetProgressPosition(++position_); }

private:
    TInstallProgress& progress_;
    int position_ = 0;
};
