#pragma once
// How a build template selects its files: a directory and a file pattern ("C:\src\*.*", "dir\*.txt").
// Names are stored relative to the template's directory, which is where the reader expands them.
#include <string>
#include <vector>

#include "compress/Compress.h"

enum TBuildMode : std::uint8_t { bmFlat = 0, bmRecursive = 1 };

// "*" matches any run of characters and "?" any one, without regard to case; "*.*" matches every
// name, dotted or not, and an empty pattern does too.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// The files the template selects, in name order within each directory (files of a directory before
// those of its subdirectories); bmRecursive also descends into subdirectories.
std::vector<TArchiveSource> FilesOfTemplate(const std::string& Template, TBuildMode mode);
