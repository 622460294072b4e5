// Arbitrary text as finstall.cfg lines and as install.cfg paths: every non-empty line gets exactly
// one destination, and a macro replaces only itself: the result is never longer than the path plus
// the longest base.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/DestinationRules.h"
#include "config/TextFields.h"

namespace {

const DestinationBases kBases{"C:\\Dest\\", "C:\\WINDOWS", "C:\\", "C:\\Program Files\\", "C:\\WINDOWS\\System32\\"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitLines(text);
    std::size_t nonEmpty = 0;
    for (const std::string& line : lines) nonEmpty += line.empty() ? 0 : 1;
    if (ApplyDestinationTokens(lines, kBases).size() != nonEmpty) std::abort();
    for (const std::string& line : lines)
        if (ApplyPathMacros(line, kBases).size() > line.size() + kBases.main.size() + 32) std::abort();
    return 0;
}
