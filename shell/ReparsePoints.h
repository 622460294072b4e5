#pragma once
// Junctions and symbolic links (reparse points). setup.exe never follows one where it deletes or creates: a
// folder that a user moved elsewhere and linked back, or a link planted in a folder other users can write to,
// would lead it to someone else's files.
#include <cstdint>
#include <functional>
#include <string>

// The attribute bits of a path as GetFileAttributesA reports them (INVALID_FILE_ATTRIBUTES when missing).
using TAttributesOf = std::function<std::uint32_t(const std::string& path)>;

// The system's own attributes.
std::uint32_t SystemAttributesOf(const std::string& path);

bool IsReparsePoint(const std::string& path, const TAttributesOf& attributesOf = SystemAttributesOf);

// Whether path itself, or any folder on the way to it below its drive or share root, is a reparse point.
bool ReachesThroughLink(const std::string& path, const TAttributesOf& attributesOf = SystemAttributesOf);
