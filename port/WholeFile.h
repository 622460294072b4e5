#pragma once
// The bytes of a whole file, for the controls that show one; nothing when it cannot be read.
#include <optional>
#include <string>

std::optional<std::string> ReadWholeFile(const std::string& path);
