#pragma once
// The sample product as the tests stage it: the example's files, with stand-ins for its two programs.
#include <filesystem>
#include <string>

#include "testsupport/ScratchDir.h"

inline void StageSampleProduct(const std::string& dir)
{
    std::filesystem::copy(SETUP_EXAMPLES_DIR "/sample", dir, std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(dir + "/programs");
    ScratchDir::Write(dir + "/programs/notes.exe", "MZ notes");
    ScratchDir::Write(dir + "/programs/postinst.exe", "MZ postinst");
}
