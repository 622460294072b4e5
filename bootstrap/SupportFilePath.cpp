#include "bootstrap/SupportFilePath.h"

std::string SupportFilePath(const std::string& tempDir, const std::string& storedPath)
{
    // "/" separates too on Windows, and "C:name" names a file relative to another drive.
    const std::size_t cut = storedPath.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? storedPath : storedPath.substr(cut + 1);
    if (name.empty() || name == "." || name == "..") return "";
    return tempDir + name;
}
