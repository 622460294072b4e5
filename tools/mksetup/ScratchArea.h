#pragma once
// A private working directory that is removed with everything in it on every way out. Made beside
// the output, so the finished result moves into place by a rename on the same file system.
#include <filesystem>
#include <string>

class ScratchArea {
public:
    // A fresh directory in the folder that holds place (made when missing).
    explicit ScratchArea(const std::string& place);
    ~ScratchArea();
    ScratchArea(const ScratchArea&) = delete;
    ScratchArea& operator=(const ScratchArea&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    // A subdirectory, made on first use, as a path string ending in its separator.
    std::string Dir(const std::string& name) const;

private:
    std::filesystem::path root_;
};
