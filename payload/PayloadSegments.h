#pragma once
// The segment files of a single-file setup program: each segment a range of its own file, found by the
// segment file's bare name.
#include "payload/Payload.h"
#include "segment/SegmentFiles.h"

class TPayloadSegments : public TSegmentFiles {
public:
    TPayloadSegments(std::string programFile, TPayload payload);

    bool Exists(const std::string& path) override;
    std::unique_ptr<Stream> OpenRead(const std::string& path) override;

private:
    const TPayloadEntry* EntryFor(const std::string& path) const;

    std::string programFile_;
    TPayload payload_;
};
