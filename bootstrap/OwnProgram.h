#pragma once
// setup.exe's own file, opened once as the run starts and held to its end: others may read it, but not write,
// rename or delete it meanwhile. Everything the run takes from it (a single file's payload, the copy of itself
// that an installation leaves as its uninstaller) is read through this one handle, never by name again.
// Before the first read it must prove to be the image that runs (payload/ImageTrust.h): a file swapped after
// the elevation prompt showed the genuine one is refused.
#include <cstdint>
#include <memory>
#include <string>

#include "port/FileStream.h"

class TOwnProgram {
public:
    // Never raises: a file that cannot be opened is a problem that the first read raises.
    TOwnProgram();
    ~TOwnProgram();
    TOwnProgram(const TOwnProgram&) = delete;
    TOwnProgram& operator=(const TOwnProgram&) = delete;

    // The program of this run, while one is held.
    static TOwnProgram* Current();

    const std::string& Path() const { return path_; }
    // The file, once it proved to be the running image; raises EPayloadError saying why it is not.
    Stream& File();
    // Writes the bytes [offset, offset + size) of the file to target, created or replaced.
    void CopyRangeTo(std::int64_t offset, std::int64_t size, const std::string& target);
    // Writes the whole file to target.
    void CopyTo(const std::string& target);

private:
    void Check();

    std::string path_;
    std::unique_ptr<FileStream> file_;
    std::string problem_;
    bool checked_ = false;
};
