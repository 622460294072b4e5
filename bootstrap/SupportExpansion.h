#pragma once
// The expansion of the setup's support files from the segment set beside setup.exe into TempDir, asking
// the host for further disks as they are needed; the configuration is loaded from the source directory
// when disk 1 comes and from TempDir at the end.
#include <cstdint>
#include <functional>
#include <string>

#include "bootstrap/ExpansionHost.h"
#include "segment/SegCompEZ.h"

class TSupportExpansion {
public:
    using TLoadSetupConfig = std::function<void(const std::string& dir)>;

    TSupportExpansion(TLoadSetupConfig loadSetupConfig, TExpansionHost& host);

    // Creates the run's scratch folder (Global.TempDir names the one it tries first, and then the one made),
    // expands into it and loads the configuration from there; on failure logs why and sets
    // Global.ExpandFailed. True on success.
    bool Run();

    TSegCompEZ SegCompEZ1;

private:
    void SegCompEZ1SegBefore(TSegMode SegMode, const std::string& SegName, std::uint16_t SegNumber);
    void SegCompEZ1CheckFile(std::string& filepath, TCProcessMode mode);
    void AskForDisk(std::uint16_t SegNumber);
    void UseSingleFile();
    void CopySetupFiles();
    static void CopyOwnProgram(const std::string& target);
    void Advance();
    void ClearArcs();

    TLoadSetupConfig loadSetupConfig_;
    TExpansionHost& host_;
    std::string lastExpanded_;  // logged once the next file comes, so that only whole files are named
};
