#pragma once
// The plain-text log of a run (/LOG=FILE), interactive or silent: one line per event, written through at
// once, so that a run that stops half-way leaves what it did. Without a file it writes nothing.
#include <memory>
#include <string>

#include "port/FileStream.h"

class TRunLog {
public:
    // Creates or replaces file; false when it cannot be written.
    bool Open(const std::string& file);
    void Line(const std::string& text);

private:
    std::unique_ptr<FileStream> file_;
};
