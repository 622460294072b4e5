#pragma once
#include <string>

namespace port {

// The components speak Windows paths; at the posix boundary every "\" becomes "/".
inline std::string NativePath(std::string path)
{
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace port
