#include "compress/SimpleCodecs.h"

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

namespace {

void PutLiteral(TCompThreadSafety& state, unsigned char b)
{
    state.PutOutputByte(b);
    if (b == kRunMarker) state.PutOutputByte(0);
}

// The literal before the run is already written; a pair is just one more literal.
void EmitRun(TCompThreadSafety& state)
{
    if (state.runCount == 2) {
        state.PutOutputByte(state.lastByte);
    } else {
        state.PutOutputByte(kRunMarker);
        state.PutOutputByte(static_cast<unsigned char>(state.runCount));
    }
}

}  // namespace

void EncodeRLE(TCompThreadSafety& state)
{
    for (;;) {
        const unsigned char b = state.NextInputByte();
        if (state.EndOfInput()) {
            if (state.inRun) EmitRun(state);
            return;
        }
        if (state.inRun) {
            if (b == state.lastByte && state.runCount < 255) {
                ++state.runCount;
            } else {
                EmitRun(state);
                state.lastByte = b;
                PutLiteral(state, b);
                state.inRun = false;
            }
        } else {
            if (b == kRunMarker) {
                PutLiteral(state, b);
            } else if (b == state.lastByte && !state.firstByte) {
                state.inRun = true;
                state.runCount = 2;
            } else {
                state.PutOutputByte(b);
            }
            state.lastByte = b;
        }
        state.firstByte = false;
    }
}
