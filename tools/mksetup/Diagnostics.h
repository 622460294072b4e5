#pragma once
// What the configuration check found: each problem names the file, the line or key, and what to do.
#include <string>
#include <vector>

struct Diagnostic {
    enum Level { Error, Warning };
    Level level = Error;
    std::string file;   // install.cfg or finstall.cfg
    int line = 0;       // 0 when the problem is a missing key
    std::string where;  // the key or the line's text
    std::string message;

    std::string Text() const;
};

using Diagnostics = std::vector<Diagnostic>;

bool HasErrors(const Diagnostics& diagnostics);
