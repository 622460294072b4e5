#pragma once
// A setup.exe that carries its distribution as a payload. Its configuration and the bare setup.exe it
// carries (the uninstaller to be, rebuilt from its difference to this image) are written into a folder of the run's own
// below the user's temporary folder (shell/ScratchFolder.h), which the run takes as its source folder, the current
// directory; the segments are read as ranges of the program's own file, through the handle TOwnProgram holds.
#include <memory>
#include <optional>
#include <string>

#include "payload/Payload.h"
#include "segment/SegmentFiles.h"

class TOwnProgram;

class TSingleFileSource {
public:
    // Looks at the running program (TOwnProgram) when installing; nothing changes for a setup.exe beside its
    // disks.
    explicit TSingleFileSource(bool installing);
    // Back to the folder the run started in, the staged files and their folder removed.
    ~TSingleFileSource();
    TSingleFileSource(const TSingleFileSource&) = delete;
    TSingleFileSource& operator=(const TSingleFileSource&) = delete;

    // The source of this run, when its program carries a payload (damaged or not).
    static TSingleFileSource* Current();

    // Raises EPayloadError, naming the program, when the payload is damaged or fails its CRC-32.
    void Check() const;
    TSegmentFiles& Segments() const { return *segments_; }

private:
    void Stage(TOwnProgram& own);

    std::string program_;
    Stream* file_ = nullptr;  // held by TOwnProgram
    std::optional<TPayload> payload_;
    std::string problem_;  // why the payload cannot be read, when it cannot
    std::unique_ptr<TSegmentFiles> segments_;
    std::string startDir_;
    std::string stageDir_;
};
