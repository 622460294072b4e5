// DecodeLZH5: literals and matches from the symbol reader, copied through the 8,192-byte window.
#include <algorithm>
#include <array>
#include <memory>

#include "compress/lh5/Lh5.h"
#include "compress/lh5/Lh5SymbolReader.h"

namespace {

using namespace lh5;

constexpr unsigned kWindowMask = DICSIZ - 1;

// Everything one run of the decoder works in; allocated per run.
struct TLh5DecoderArrays {
    std::array<unsigned char, DICSIZ> window;
    TLh5SymbolReader::TTables tables;
};

class TLh5Decoder {
public:
    TLh5Decoder(TCompThreadSafety& state, TLh5DecoderArrays& a)
        : state_(state), symbols_(state, a.tables), window_(a.window)
    {
        window_.fill(' ');
    }

    void Decode(std::int32_t expandedSize);

private:
    void CopyMatch(unsigned length, unsigned distance, std::int32_t& left);

    TCompThreadSafety& state_;
    TLh5SymbolReader symbols_;
    std::array<unsigned char, DICSIZ>& window_;
    unsigned r_ = 0;
};

void TLh5Decoder::Decode(std::int32_t expandedSize)
{
    std::int32_t left = expandedSize;
    while (left > 0 && !state_.FarPastEnd()) {
        const unsigned symbol = symbols_.NextSymbol();
        if (symbol <= 0xFF) {
            const auto byte = static_cast<unsigned char>(symbol);
            window_[r_] = byte;
            r_ = (r_ + 1) & kWindowMask;
            state_.PutOutputByte(byte);
            --left;
        } else {
            CopyMatch(symbol - (0x100 - THRESHOLD), symbols_.NextDistance(), left);
        }
    }
}

// A match that runs past the expanded size stops there: the caller asked for exactly that many bytes.
void TLh5Decoder::CopyMatch(unsigned length, unsigned distance, std::int32_t& left)
{
    const auto n = static_cast<unsigned>(std::min<std::int32_t>(static_cast<std::int32_t>(length), left));
    unsigned from = (r_ - distance - 1) & kWindowMask;
    unsigned to = r_;
    for (unsigned k = 0; k < n; ++k) {
        const unsigned char byte = window_[from];
        window_[to] = byte;
        state_.PutOutputByte(byte);
        from = (from + 1) & kWindowMask;
        to = (to + 1) & kWindowMask;
    }
    r_ = to;
    left -= static_cast<std::int32_t>(n);
}

}  // namespace

void DecodeLZH5(TCompThreadSafety& state, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    const auto arrays = std::make_unique<TLh5DecoderArrays>();
    TLh5Decoder(state, *arrays).Decode(expandedSize);
}
