#pragma once
// The segment files of a single-file setup program: each segment a range of its own file, found by the
// segment file's bare name and read through the handle the caller holds on that file.
#include "payload/Payload.h"
#include "segment/SegmentFiles.h"

class TPayloadSegments : public TSegmentFiles {
public:
    // programFile must outlive the segments; fileName names it in messages.
    TPayloadSegments(Stream& programFile, std::string fileName, TPayload payload);

    bool Exists(const std::string& path) override;
    std::unique_ptr<Stream> OpenRead(const std::string& path) override;

private:
    const TPayloadEntry* EntryFor(const std::string& path) const;

    Stream& programFile_;
    std::string fileName_;
    TPayload payload_;
};
