#pragma once
// mksetup's names are UTF-8 on every platform: on Windows its manifest makes UTF-8 the code page of argv, and
// port/ converts at its wide calls. std::filesystem there takes a narrow string byte for byte as UTF-16 (the C
// locale), so a path is made from a name, and read back into one, as UTF-8 here.
#include <filesystem>
#include <string>

inline std::filesystem::path PathOf(const std::string& name)
{
    return std::u8string(name.begin(), name.end());
}

inline std::string NameOf(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}
