// Arbitrary bytes as a product's configuration, read and checked as `mksetup build` reads it: the
// bytes up to the first NUL are install.cfg, the rest finstall.cfg. Reading must end in a product or
// the maker's exception, and every finding must name one of the two files and a line that is in it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "FuzzScratch.h"
#include "port/Exception.h"
#include "tools/mksetup/Product.h"

namespace {

// At least as many lines as a reader counts: CR LF counts twice here.
int LineCount(std::string_view text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r')) +
           1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string_view install = input.substr(0, split);
    const std::string_view finstall = input.substr(std::min(split + 1, input.size()));
    const std::filesystem::path& dir = fuzz::ProcessScratch("product-config-fuzz");
    fuzz::WriteInput(dir / "install.cfg", install);
    fuzz::WriteInput(dir / "finstall.cfg", finstall);
    Product product;
    try {
        product = LoadProduct(dir.string());
    } catch (const Exception&) {
        return 0;
    }
    for (const Diagnostic& d : product.diagnostics) {
        const int lines = d.file == "install.cfg" ? LineCount(install) : LineCount(finstall);
        if (d.file != "install.cfg" && d.file != "finstall.cfg") std::abort();
        if (d.line < 0 || d.line > lines) std::abort();
        if (d.Text().find(d.file) == std::string::npos) std::abort();
    }
    return 0;
}
