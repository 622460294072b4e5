#pragma once
// LZHUF streams at the level of symbols: building a stream from chosen symbols, and listing the
// symbols of a stream, so that tests can state what a coder sends rather than only what comes back.
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "compress/lzhuf/LzhufSymbolReader.h"
#include "compress/lzhuf/LzhufSymbolWriter.h"
#include "testsupport/compress/CodecRun.h"

struct LzhufSymbol {
    int symbol = 0;    // a literal (0 to 255) or a match length + 253
    int position = 0;  // a match's distance code (distance - 1)

    static LzhufSymbol Literal(unsigned char b) { return {b, 0}; }
    static LzhufSymbol Match(int length, int position) { return {length + 253, position}; }
    bool operator==(const LzhufSymbol&) const = default;
};

// The longest code that coding the symbols used, in bits.
struct LzhufStream {
    Bytes bytes;
    int longestCode = 0;
};

inline int LzhufCodeLength(const lzhuf::TAdaptiveTree& tree, int symbol)
{
    int length = 0;
    for (int node = tree.Parent(symbol + lzhuf::T); node != lzhuf::R; node = tree.Parent(node)) ++length;
    return length;
}

inline LzhufStream LzhufCode(const std::vector<LzhufSymbol>& symbols)
{
    LzhufStream stream;
    stream.bytes = RunCodec(
                       [&](TCompThreadSafety& state) {
                           lzhuf::TAdaptiveTree tree;
                           lzhuf::TBitWriter bits(state);
                           for (const LzhufSymbol& s : symbols) {
                               stream.longestCode = std::max(stream.longestCode, LzhufCodeLength(tree, s.symbol));
                               lzhuf::EncodeChar(tree, bits, s.symbol);
                               if (s.symbol > 255) lzhuf::EncodePosition(bits, s.position);
                           }
                           bits.Flush();
                       },
                       {}, true)
                       .output;
    return stream;
}

// The symbols of a stream that decodes to expandedSize bytes.
inline std::vector<LzhufSymbol> LzhufSymbolsOf(const Bytes& stream, std::int32_t expandedSize)
{
    std::vector<LzhufSymbol> symbols;
    RunCodec(
        [&](TCompThreadSafety& state) {
            lzhuf::TAdaptiveTree tree;
            lzhuf::TBitReader bits(state);
            for (std::int32_t produced = 0; produced < expandedSize;) {
                LzhufSymbol s{lzhuf::DecodeChar(tree, bits), 0};
                if (s.symbol > 255) s.position = lzhuf::DecodePosition(bits);
                produced += s.symbol > 255 ? s.symbol - 253 : 1;
                symbols.push_back(s);
            }
        },
        stream, false);
    return symbols;
}

// Literals only (so any prefix is a valid stream) whose codes grow longer than 16 bits: nine literals
// weighted like the Fibonacci numbers from just above the weight of the 305 unused symbols together make
// the tree a chain of nine above a subtree of nine levels; three literals seen for the first time at the
// end are among its deepest leaves.
inline std::vector<LzhufSymbol> DeepCodeLiterals()
{
    std::vector<LzhufSymbol> symbols;
    const int weights[] = {260, 310, 570, 880, 1450, 2330, 3780, 6110, 9890};
    for (int i = 0; i < 9; ++i)
        for (int n = 1; n < weights[i]; ++n)
            symbols.push_back(LzhufSymbol::Literal(static_cast<unsigned char>('A' + i)));
    std::shuffle(symbols.begin(), symbols.end(), std::mt19937(7));
    for (const int b : {'x', 'y', 'z'}) symbols.push_back(LzhufSymbol::Literal(static_cast<unsigned char>(b)));
    return symbols;
}

inline Bytes LiteralBytes(const std::vector<LzhufSymbol>& literals)
{
    Bytes bytes;
    for (const LzhufSymbol& s : literals) bytes.push_back(static_cast<unsigned char>(s.symbol));
    return bytes;
}
