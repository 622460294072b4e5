#pragma once
// TUNZIP: the small window that, before the wizard starts, shows the expansion of the setup's support
// files (bootstrap/SupportExpansion.h) and asks the user for further disks as they are needed.
#include "bootstrap/ExpansionHost.h"
#include "bootstrap/SupportExpansion.h"
#include "bootstrap/WinSegInteraction.h"
#include "ui/Form.h"
#include "ui/controls/Label.h"
#include "ui/controls/ProgressBar.h"

#include <functional>
#include <string>
#include <utility>

// The expander's window (the file is named after its form, Unzip1): it unpacks nothing itself, it shows
// TSupportExpansion at work and asks for disks.
class TUNZIP : public TForm {
public:
    using TLoadSetupConfig = TSupportExpansion::TLoadSetupConfig;
    using TLogLine = std::function<void(const std::string& line)>;

    // loadSetupConfig is the setup screen's LoadSetupConfig. interaction answers the segment reader's
    // dialogs; without one the form asks the user itself. owner: the setup screen, which the form stays in
    // front of. log takes the run's log lines, if any.
    explicit TUNZIP(TLoadSetupConfig loadSetupConfig, TSegInteraction* interaction = nullptr, HWND owner = nullptr,
                    TLogLine log = nullptr);

    // Expands into Global.TempDir and loads the configuration from there. On failure shows
    // "Error Expanding Files!!", asks the application to terminate and sets Global.ExpandFailed.
    void ExpandSupportFiles();

    TLabel Label1;
    TProgressBar ProgressBar1;

private:
    // The expansion's host: this window's bar, message boxes and dialogs.
    class TWindowHost : public TExpansionHost {
    public:
        TWindowHost(TUNZIP& form, TSegInteraction& interaction, TLogLine log)
            : form_(form), interaction_(interaction), log_(std::move(log))
        {
        }

        void SetProgressRange(int maximum) override;
        void SetProgressPosition(int position) override;
        int ProgressPosition() const override;
        void ProcessMessages() override;
        void AskForDisk(const std::string& request) override;
        TSegInteraction& SegInteraction() override { return interaction_; }
        void Log(const std::string& event) override;

    private:
        TUNZIP& form_;
        TSegInteraction& interaction_;
        TLogLine log_;
    };

    void FormShow();

    TWinSegInteraction dialogs_;
    TWindowHost host_;
    TSupportExpansion expansion_;

public:
    // The expansion's segment component, by its designed name (after expansion_, which holds it).
    TSegCompEZ& SegCompEZ1;
};
