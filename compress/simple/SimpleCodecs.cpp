#include "compress/simple/SimpleCodecs.h"

#include <algorithm>

void CopyBytes(TCompThreadSafety& state)
{
    for (;;) {
        const unsigned char b = state.NextInputByte();
        if (state.EndOfInput()) return;
        state.PutOutputByte(b);
    }
}

void DecodeRLE(TCompThreadSafety& state, std::int32_t expandedSize)
{
    std::int32_t left = expandedSize;
    unsigned char last = 0;
    while (left > 0) {
        const unsigned char b = state.NextInputByte();
        if (state.EndOfInput()) return;
        if (b != kRunMarker) {
            state.PutOutputByte(b);
            --left;
            last = b;
            continue;
        }
        const unsigned char count = state.NextInputByte();  // 0 when the marker ends the data
        if (count == 0) {
            state.PutOutputByte(kRunMarker);
            --left;
        } else {
            const std::int32_t repeats = std::min<std::int32_t>(count - 1, left);
            for (std::int32_t i = 0; i < repeats; ++i) state.PutOutputByte(last);
            left -= repeats;
        }
        last = kRunMarker;
        if (state.EndOfInput()) return;
    }
}
