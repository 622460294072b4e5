#pragma once
// A scratch file that is gone when its scope ends, however it ends. An old file of the same name goes
// first, so that a leftover never passes for fresh data.
#include <string>
#include <utility>

#include "port/Exception.h"
#include "port/FileSystem.h"

class TTempFile {
public:
    explicit TTempFile(std::string path) : path_(std::move(path)) { Remove(); }
    ~TTempFile() { Remove(); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    // A read-only file cannot be deleted on Windows, and an archive entry may carry that attribute.
    void Remove() noexcept
    {
        try {
            if (!port::FileExists(path_)) return;
            port::ApplyAttributes(path_, 0);
            port::EraseFile(path_);
        } catch (const Exception&) {
        }
    }

    std::string path_;
};
