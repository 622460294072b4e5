#pragma once
// The plain-text log of a run (/LOG=FILE), interactive or silent: one line per event, written through at
// once, so that a run that stops half-way leaves what it did. Without a file it writes nothing.
#include <memory>
#include <string>

#include "port/FileStream.h"
#include "shell/ReparsePoints.h"

// Why file cannot be a run's log, or "": the run is elevated, so a link at that name would lead its writes
// into someone else's file; a folder or a device is no log. attributesOf is the system's, but for tests.
std::string RefusalOfLogFile(const std::string& file, const TAttributesOf& attributesOf = SystemAttributesOf);

class TRunLog {
public:
    // Creates or replaces file; "" when it is open, else why it cannot be the log (RefusalOfLogFile).
    std::string Open(const std::string& file);
    void Line(const std::string& text);
    // Lets the file go while a run this one hands over to writes it afresh; Resume then goes on at its end.
    void Close() { file_.reset(); }
    void Resume();

private:
    std::string path_;
    std::unique_ptr<FileStream> file_;
};
