#pragma once
// Where the segment reader finds its segment files: the files themselves, or, for a single-file setup
// program, ranges of its own file that stand for them.
#include <memory>
#include <string>

#include "port/Stream.h"

class TSegmentFiles {
public:
    virtual ~TSegmentFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Raises the platform's file errors naming path.
    virtual std::unique_ptr<Stream> OpenRead(const std::string& path) = 0;
};
