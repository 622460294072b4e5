#include <algorithm>
#include <memory>

#include "compress/lzhuf/Lzhuf.h"
#include "compress/lzhuf/LzhufMatchTree.h"
#include "compress/lzhuf/LzhufSymbolWriter.h"

namespace {

using namespace lzhuf;

// The arrays of one run, on the heap and freed also when an exception passes.
struct TEncoderWork {
    TAdaptiveTree tree;
    TMatchTree dictionary;
};

// Reads the next input byte into b; false once the input has ended.
bool ReadByte(TCompThreadSafety& state, unsigned char& b)
{
    b = state.NextInputByte();
    return !state.EndOfInput();
}

}  // namespace

// The look-ahead of F bytes sits at r; the dictionary holds the strings before it. Each step codes the
// longest earlier match (or a literal when it is shorter than THRESHOLD + 1) and slides the window by
// its length, reading one byte per position while input lasts.
void EncodeLZH(TCompThreadSafety& state)
{
    auto work = std::make_unique<TEncoderWork>();
    TMatchTree& dictionary = work->dictionary;
    TBitWriter bits(state);
    int s = 0;
    int r = N - F;
    int len = 0;
    unsigned char b = 0;
    while (len < F && ReadByte(state, b)) dictionary.Store(r + len++, b);
    if (len == 0) return;
    bool inputLeft = len == F;
    for (int i = 1; i <= F; ++i) dictionary.Insert(r - i);
    dictionary.Insert(r);
    while (len > 0) {
        int matchLength = std::min(dictionary.MatchLength(), len);
        if (matchLength <= THRESHOLD) {
            matchLength = 1;
            EncodeChar(work->tree, bits, dictionary.Byte(r));
        } else {
            EncodeChar(work->tree, bits, 255 - THRESHOLD + matchLength);
            EncodePosition(bits, dictionary.MatchPosition());
        }
        int i = 0;
        for (; i < matchLength && inputLeft; ++i) {
            if (!ReadByte(state, b)) {
                inputLeft = false;
                break;
            }
            dictionary.Delete(s);
            dictionary.Store(s, b);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            dictionary.Insert(r);
        }
        for (; i < matchLength; ++i) {
            dictionary.Delete(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len > 0) dictionary.Insert(r);
        }
    }
    bits.Flush();
}
