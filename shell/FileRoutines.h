#pragma once
// Deleting files by pattern and creating directory paths; both forgive what they cannot do.
#include <string>

// Deletes every file dir + pattern matches (dir ends in "\"); subdirectories are not entered and
// stay, as do files that cannot be deleted.
void DeleteMatchingFiles(const std::string& dir, const std::string& pattern);

// Creates dir with every missing parent. Raises Exception "Unable to create directory" for an empty
// path; a directory that cannot be created is not reported (the next operation in it fails).
void CreateDirectoryPath(const std::string& dir);
