#pragma once
// A segment set named on the command line, and reading it back: for list, verify and extract.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "segment/SegArc.h"

struct SegmentSetPlace {
    std::string dir;         // the folder holding the segments, ending in its separator
    std::string base;        // "disk" for a distribution
    std::string singleFile;  // a single-file setup.exe whose payload carries the segments, if not empty
};

// A distribution folder (its disk.001), a segment file named NAME.NNN, or a single-file setup.exe;
// nothing for anything else. Raises EPayloadError for a setup.exe whose payload is damaged.
std::optional<SegmentSetPlace> SegmentSetAt(const std::string& path);

struct SetContents {
    TSegArcList arcs;                 // templates and the stored names of their files
    std::vector<std::string> written; // the paths written, when expanded
    std::size_t listed = 0;           // the names the file lists hold, when expanded
    int refused = 0;                  // stored names that would have left the output directory
};

// Reads the scan entries only; tmpDir receives the reader's scratch files. key unlocks the file lists
// of a set built with one.
SetContents ListSet(const SegmentSetPlace& place, const std::string& tmpDir, std::int32_t key);
// Expands every file below outDir under its stored name, checking every checksum on the way; a stored
// name that would land outside outDir is refused with a message. A missing or wrong segment raises an
// error that names its file.
SetContents ExpandSet(const SegmentSetPlace& place, const std::string& outDir, const std::string& tmpDir,
                      std::int32_t key);
