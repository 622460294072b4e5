#include <algorithm>
#include <memory>

#include "compress/lzhuf/Lzhuf.h"
#include "compress/lzhuf/LzhufSymbolReader.h"

namespace {

using namespace lzhuf;

// The arrays of one run, on the heap and freed also when an exception passes.
struct TDecoderWork {
    TAdaptiveTree tree;
    unsigned char window[N];
};

}  // namespace

// The window starts as spaces throughout (what lies from N - F on is never read by a valid stream).
// Corrupt input cannot leave the arrays: every tree walk ends on a leaf, and window indexes are masked.
// A match that would pass expandedSize is cut there, so at most expandedSize bytes are written; input
// that ends long before them ends the output too (the checksum test then reports the damage).
void DecodeLZH(TCompThreadSafety& state, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    auto work = std::make_unique<TDecoderWork>();
    unsigned char* window = work->window;
    std::fill(window, window + N, ' ');
    TBitReader bits(state);
    int r = N - F;
    std::int32_t remaining = expandedSize;
    while (remaining > 0 && !state.FarPastEnd()) {
        const int c = DecodeChar(work->tree, bits);
        if (c < 256) {
            const auto b = static_cast<unsigned char>(c);
            state.PutOutputByte(b);
            window[r] = b;
            r = (r + 1) & (N - 1);
            --remaining;
            continue;
        }
        const int from = r - DecodePosition(bits) - 1;
        const int length = std::min<std::int32_t>(c - (255 - THRESHOLD), remaining);
        for (int k = 0; k < length; ++k) {
            const unsigned char b = window[(from + k) & (N - 1)];
            state.PutOutputByte(b);
            window[r] = b;
            r = (r + 1) & (N - 1);
        }
        remaining -= length;
    }
}
