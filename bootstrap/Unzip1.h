#pragma once
// TUNZIP: the small window that, before the wizard starts, expands the setup's support files from
// the segment set beside setup.exe into TempDir, asking for further disks as they are needed.
#include "bootstrap/WinSegInteraction.h"
#include "segment/SegCompEZ.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

#include <cstdint>
#include <functional>
#include <string>

class TUNZIP : public TForm {
public:
    using TLoadSetupConfig = std::function<void(const std::string& dir)>;

    // loadSetupConfig is the setup screen's LoadSetupConfig. interaction answers the segment reader's
    // dialogs; without one the form asks the user itself. owner: the setup screen, which the form stays in
    // front of.
    explicit TUNZIP(TLoadSetupConfig loadSetupConfig, TSegInteraction* interaction = nullptr, HWND owner = nullptr);

    // Expands into Global.TempDir and loads the configuration from there. On failure shows
    // "Error Expanding Files!!", asks the application to terminate and sets Global.ExpandFailed.
    void ExpandSupportFiles();

    TLabel Label1;
    TProgressBar ProgressBar1;
    TSegCompEZ SegCompEZ1;

private:
    void FormShow();
    void SegCompEZ1SegBefore(TSegMode SegMode, const std::string& SegName, std::uint16_t SegNumber);
    void SegCompEZ1CheckFile(std::string& filepath, TCProcessMode mode);
    void AskForDisk(std::uint16_t SegNumber);
    void CopySetupFiles();
    void Advance();
    void ClearArcs();

    TLoadSetupConfig loadSetupConfig_;
    TWinSegInteraction dialogs_;
};
