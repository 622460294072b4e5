#include "bootstrap/SupportFilePath.h"

std::string SupportFilePath(const std::string& tempDir, const std::string& storedPath)
{
    // "/" separates too on Windows, and "C:name" names a file relative to another drive.
    const std::size_t cut = storedPath.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? storedPath : storedPath.substr(cut + 1);
    // Windows drops trailing dots and spaces, so ".. " or "..." would name the directory or its parent.
    if (name.find_first_not_of(". ") == std::string::npos) return "";
    return tempDir + name;
}
