#pragma once
// Whether bytes are well-formed UTF-8 (The Unicode Standard, table 3-7): no overlong form, no surrogate,
// nothing past U+10FFFF, no sequence cut off or continued where none began.
#include <string_view>

bool IsUtf8(std::string_view bytes);
