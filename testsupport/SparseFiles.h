#pragma once
// Large files of zeros that cost no disk where the file system keeps them sparse, ending in a marker so
// that their end is checked too: for payloads past the archive format's 32-bit sizes.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "testsupport/ScratchDir.h"

inline void WriteSparseFile(const std::string& path, std::uintmax_t size, const std::string& marker)
{
    ScratchDir::Write(path, "");
    std::filesystem::resize_file(ScratchDir::Native(path), size - marker.size());
    std::ofstream out(ScratchDir::Native(path), std::ios::binary | std::ios::app);
    out << marker;
}

inline std::string TailOf(const std::string& path, std::size_t n)
{
    std::ifstream in(ScratchDir::Native(path), std::ios::binary);
    in.seekg(-static_cast<std::streamoff>(n), std::ios::end);
    std::string tail(n, '\0');
    in.read(tail.data(), static_cast<std::streamsize>(n));
    return tail;
}
