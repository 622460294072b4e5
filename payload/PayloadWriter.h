#pragma once
// Making a single-file setup program: the bare program's bytes, then its payload.
#include <string>
#include <vector>

struct TPayloadMember {
    std::string Name;  // a bare file name, at most 15 characters
    std::string Path;  // the file it is read from
};

// Writes out as stub followed by a payload of members in their order. Raises EPayloadError when the stub
// already carries a payload or a signature (either would hide the new payload), or a name does not fit.
void WriteSingleFile(const std::string& stub, const std::vector<TPayloadMember>& members, const std::string& out);
