#include "ui/FontFamily.h"

#include <array>

namespace {

constexpr std::array kSerif{"Times New Roman", "Times", "MS Serif", "Georgia", "Book Antiqua", "Bookman Old Style",
                            "Century Schoolbook", "Garamond", "Palatino Linotype", "Cambria", "Constantia"};
constexpr std::array kMonospace{"Courier New", "Courier", "Lucida Console", "Consolas", "Fixedsys", "Terminal"};
constexpr std::array kSans{"Arial", "Helvetica", "MS Sans Serif", "Tahoma", "Verdana", "Segoe UI", "Calibri"};

template <std::size_t N>
bool Holds(const std::array<const char*, N>& faces, const std::string& face)
{
    for (const char* known : faces)
        if (lstrcmpiA(known, face.c_str()) == 0) return true;  // faces are named without regard to case
    return false;
}

}  // namespace

BYTE FontFamilyOf(const std::string& face)
{
    if (Holds(kSerif, face)) return VARIABLE_PITCH | FF_ROMAN;
    if (Holds(kMonospace, face)) return FIXED_PITCH | FF_MODERN;
    if (Holds(kSans, face)) return VARIABLE_PITCH | FF_SWISS;
    return DEFAULT_PITCH | FF_DONTCARE;
}
