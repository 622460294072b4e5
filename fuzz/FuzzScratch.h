#pragma once
// The scratch folder of one fuzzing process, below the system's temporary folder and named after the target
// and the process, so that targets and their parallel jobs never share one; and the input written into it.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

inline const std::filesystem::path& ProcessScratch(const std::string& target)
{
    static const std::filesystem::path dir = [&target] {
        auto path = std::filesystem::temp_directory_path() / (target + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

inline void WriteInput(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace fuzz
