#pragma once
// File routines of the installer: copying a file, testing attributes, deleting files by pattern and
// creating directory paths.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/FolderSecurity.h"

constexpr std::size_t BufferSize = 8192;

// Copies the contents and the last-write time of source (not its attributes) through one BufferSize
// buffer; a date that cannot be set leaves the copy the system's. dest is
// a directory, into which the file goes under its own name, unless it is an existing file, which is
// replaced. A dest that does not exist counts as a directory. Raises EFOpenError for the source,
// EFCreateError for the copy; a copy that fails part-way (a full disk) is deleted and the
// platform's read or write error passed on.
void CopyFileTo(const std::string& source, const std::string& dest);

// Whether all the attribute bits are set; a path that does not exist has every bit set.
bool HasAttributes(const std::string& path, std::uint32_t bits);

// Deletes every file dir + pattern matches (dir ends in "\"); subdirectories are not entered and
// stay, as do files that cannot be deleted.
void DeleteMatchingFiles(const std::string& dir, const std::string& pattern);

// Creates dir with every missing parent. Raises Exception "Unable to create directory" for an empty
// path; a directory that cannot be created is not reported (the next operation in it fails).
void CreateDirectoryPath(const std::string& dir);
// The same, each folder it creates with the given access instead of what its parent hands down.
void CreateDirectoryPath(const std::string& dir, TFolderAccess access);
