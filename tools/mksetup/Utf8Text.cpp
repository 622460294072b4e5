#include "tools/mksetup/Utf8Text.h"

#include <cstddef>

namespace {

// A lead byte's sequence: its length and the range its second byte must fall in; length 0 for a byte
// that starts no sequence (a continuation byte, C0 and C1 that only overlong forms begin, F5 to FF).
struct Sequence {
    std::size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

Sequence SequenceOf(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) return {2};
    if (lead == 0xE0) return {3, 0xA0};        // below: overlong
    if (lead == 0xED) return {3, 0x80, 0x9F};  // above: the surrogates
    if (lead >= 0xE1 && lead <= 0xEF) return {3};
    if (lead == 0xF0) return {4, 0x90};  // below: overlong
    if (lead >= 0xF1 && lead <= 0xF3) return {4};
    if (lead == 0xF4) return {4, 0x80, 0x8F};  // above: past U+10FFFF
    return {0};
}

bool IsContinuation(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

}  // namespace

bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const Sequence s = SequenceOf(lead);
        if (s.length == 0 || bytes.size() - i < s.length) return false;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < s.low || second > s.high) return false;
        for (std::size_t k = 2; k < s.length; ++k)
            if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) return false;
        i += s.length;
    }
    return true;
}
