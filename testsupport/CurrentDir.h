#pragma once
// The current directory changed for a part of a test and given back however that part ends.
#include <filesystem>
#include <string>
#include <system_error>

#include "testsupport/ScratchDir.h"

class InDirectory {
public:
    explicit InDirectory(const std::string& directory) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(ScratchDir::Native(directory));
    }
    ~InDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    std::filesystem::path previous_;
};
