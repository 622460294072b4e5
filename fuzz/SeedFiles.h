#pragma once
// Reading and writing whole files, for the programs that make seeds at build time.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace seeds {

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Creates the file's folder when it is missing.
inline void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace seeds
