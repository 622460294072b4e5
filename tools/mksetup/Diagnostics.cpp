#include "tools/mksetup/Diagnostics.h"

#include <algorithm>

std::string Diagnostic::Text() const
{
    std::string text = file;
    if (line > 0) text += ":" + std::to_string(line);
    text += std::string(": ") + (level == Error ? "error" : "warning") + ": ";
    if (!where.empty()) text += "'" + where + "': ";
    return text + message;
}

bool HasErrors(const Diagnostics& diagnostics)
{
    return std::any_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& d) { return d.level == Diagnostic::Error; });
}
