#pragma once
// One key written into an INI file through the profile API, failing as the install run reports it.
#include <string>

// Raises Exception "Unable to write to " + file when the profile API refuses.
void WriteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value);
