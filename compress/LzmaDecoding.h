#pragma once
// The decoding both LZMA methods share: the header's checks, the SDK's decoder with its dictionary, and the
// loop that feeds it the run's input.
#include <algorithm>
#include <array>
#include <cstdint>

#include "compress/CompThreadSafety.h"
#include "compress/Lzma.h"
#include "compress/LzmaSdk.h"
// After LzmaSdk.h, which has read the SDK's types.
#include "LzmaDec.h"

namespace lzma {

using Header = std::array<unsigned char, kHeaderSize>;

// Reads the header from the run's input; false when the input ends first (cancelled, or the data are cut).
bool ReadHeader(TCompThreadSafety& coder, Header& header);
// Refuses (ELzmaData) what would make the decoder ask for more memory than the method allows.
void CheckHeader(const Header& header);
// The header with its dictionary no larger than size.
Header WithDictionaryAtMost(Header header, std::uint32_t size);

[[noreturn]] void RefuseAfter(const char* what, std::int32_t written, std::int32_t expandedSize);

// The SDK's decoder with the dictionary the header asks for.
class TDecoder {
public:
    explicit TDecoder(const Header& header);
    ~TDecoder();
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;

    // The next entry of a solid chain: its coded data start afresh, the dictionary goes on, and so does the
    // coder's state unless freshState.
    void ContinueWithNextEntry(bool freshState);

    // Decodes the run's input until expandedSize bytes are out, handing them to put(bytes, count) a piece
    // of at most kPieceSize at a time. Returns early only when the run is cancelled.
    template <typename Put>
    void Decode(TCompThreadSafety& coder, std::int32_t expandedSize, Put put);

    static constexpr std::size_t kPieceSize = 1 << 16;

private:
    // Fills the input buffer when it is used up; false when the run is cancelled.
    bool Refill(TCompThreadSafety& coder, std::int32_t written, std::int32_t expandedSize);

    CLzmaDec state_;
    std::array<unsigned char, TCompThreadSafety::kBufferSize> input_{};
    std::size_t inPos_ = 0;
    std::size_t inEnd_ = 0;
};

template <typename Put>
void TDecoder::Decode(TCompThreadSafety& coder, std::int32_t expandedSize, Put put)
{
    CLzmaDec& dec = state_;
    std::int32_t written = 0;
    while (written < expandedSize) {
        if (inPos_ == inEnd_ && !Refill(coder, written, expandedSize)) return;
        if (dec.dicPos == dec.dicBufSize) dec.dicPos = 0;  // the dictionary is a ring
        const SizeT from = dec.dicPos;
        const SizeT room = std::min<SizeT>(dec.dicBufSize - from, kPieceSize);
        const SizeT limit = from + std::min<SizeT>(room, static_cast<SizeT>(expandedSize - written));
        SizeT taken = inEnd_ - inPos_;
        ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
        const SRes result = LzmaDec_DecodeToDic(&dec, limit, input_.data() + inPos_, &taken, LZMA_FINISH_ANY, &status);
        inPos_ += taken;
        const auto count = static_cast<std::int32_t>(dec.dicPos - from);
        written += count;
        put(dec.dic + from, static_cast<std::size_t>(count), written == expandedSize);
        if (result != SZ_OK) RefuseAfter("The LZMA data are damaged after ", written, expandedSize);
        if (status == LZMA_STATUS_FINISHED_WITH_MARK && written < expandedSize)
            RefuseAfter("The LZMA data mark their end after ", written, expandedSize);
    }
}

}  // namespace lzma
