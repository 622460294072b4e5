#pragma once
// The engines' seams as a silent run fills them: nothing is drawn, nothing is asked, everything is logged.
// A question has its fixed answer: a missing disk is not waited for, a file "possibly used by Windows" is
// kept.
#include <string>

#include "app/finish/FinishActions.h"
#include "app/install/InstallProgress.h"
#include "app/run/RunLog.h"
#include "app/uninstall/UninstallView.h"
#include "bootstrap/ExpansionHost.h"

class TSilentInstallProgress : public TInstallProgress {
public:
    explicit TSilentInstallProgress(TRunLog& log) : log_(log) {}

    void SetCaption(TInstallLabel, const std::string&) override {}
    void SetProgressRange(int) override {}
    void SetProgressPosition(int) override {}
    void ShowStageMark(TInstallStage) override {}
    void ProcessMessages() override {}
    void Log(const std::string& event) override { log_.Line(event); }

private:
    TRunLog& log_;
};

class TSilentUninstallView : public TUninstallView {
public:
    explicit TSilentUninstallView(TRunLog& log) : log_(log) {}

    void ShowStatus(const std::string&) override {}
    void ShowStageMark(int) override {}
    void SetStageBold(int, bool) override {}
    void SetProgressRange(int) override {}
    void SetProgressPosition(int) override {}
    void SetRemoveCaption(const std::string&) override {}
    void SetRemoveEnabled(bool) override {}
    void ShowSummary(const std::string&) override {}
    TConfirmAnswer Confirm(const std::string&) override { return caNo; }
    void ProcessMessages() override {}
    void Log(const std::string& event) override { log_.Line(event); }
    void Warn(const std::string& message) override { log_.Line(message); }
    void Close() override {}

private:
    TRunLog& log_;
};

// Launch programs run; the product's own program is not started and Windows is not restarted.
class TSilentFinishHost : public TFinishHost {
public:
    explicit TSilentFinishHost(TRunLog& log) : log_(log) {}

    void SetCaption(const std::string&) override {}
    void ProcessMessages() override {}
    void Log(const std::string& event) override { log_.Line(event); }
    bool ShutdownWindows(UINT) override { return false; }
    void Close() override {}

private:
    TRunLog& log_;
};

// The segment reader's questions answered Cancel: nobody can insert a disk. A disk it asked for is noted.
class TSilentSegInteraction : public TSegInteraction {
public:
    explicit TSilentSegInteraction(TRunLog& log) : log_(log) {}

    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
    bool ErrorOkCancel(const std::string& Message) override;
    void RepaintOwner() override {}
    void ProcessMessages() override {}
    bool DiskMissing() const { return diskMissing_; }

private:
    TRunLog& log_;
    bool diskMissing_ = false;
};

class TSilentExpansionHost : public TExpansionHost {
public:
    explicit TSilentExpansionHost(TRunLog& log) : log_(log), questions_(log) {}

    void SetProgressRange(int) override {}
    void SetProgressPosition(int position) override { position_ = position; }
    int ProgressPosition() const override { return position_; }
    void ProcessMessages() override {}
    void AskForDisk(const std::string&) override {}
    TSegInteraction& SegInteraction() override { return questions_; }
    void Log(const std::string& event) override { log_.Line(event); }
    // The expansion failed for want of a disk.
    bool DiskMissing() const { return questions_.DiskMissing(); }

private:
    TRunLog& log_;
    TSilentSegInteraction questions_;
    int position_ = 0;
};
