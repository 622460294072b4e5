// Apart from the run-length decoder: a program that only expands links no encoder.
#include "compress/simple/SimpleCodecs.h"

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
