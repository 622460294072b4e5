#pragma once
// The decoding both LZMA methods share: the header's checks, the SDK's decoder with its dictionary, and the
// loop that feeds it the run's input.
#include <array>
#include <cstdint>

#include "compress/CompThreadSafety.h"
#include "compress/lzma/Lzma.h"
#include "compress/lzma/LzmaSdk.h"
// After LzmaSdk.h, which has read the SDK's types.
#include "LzmaDec.h"

namespace lzma {

using Header = std::array<unsigned char, kHeaderSize>;

// Reads the header from the run's input; false when the input ends first (cancelled, or the data are cut).
bool ReadHeader(TCompThreadSafety& coder, Header& header);
// Refuses (ELzmaData) what would make the decoder ask for more memory than the method allows: a dictionary
// above maxDictionary.
void CheckHeader(const Header& header, std::uint32_t maxDictionary);
// The header with its dictionary no larger than size.
Header WithDictionaryAtMost(Header header, std::uint32_t size);

// Out of line and cold: setup.exe carries the decoders, and every message built where it is raised would cost
// the program code.
[[noreturn, gnu::noinline, gnu::cold]] void RefuseAfter(const char* what, std::int32_t written,
                                                        std::int32_t expandedSize);

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

    // Where decoded bytes go: count bytes at a time, at most kPieceSize, last with the entry's last ones.
    struct TSink {
        void (*put)(void* context, const unsigned char* bytes, std::size_t count, bool last);
        void* context;
    };
    // Decodes the run's input until expandedSize bytes are out, handing them to sink. Returns early only
    // when the run is cancelled.
    void Decode(TCompThreadSafety& coder, std::int32_t expandedSize, const TSink& sink);

    static constexpr std::size_t kPieceSize = 1 << 16;

private:
    // Fills the input buffer when it is used up; false when the run's input has ended or it is cancelled.
    bool Refill(TCompThreadSafety& coder);

    CLzmaDec state_;
    std::array<unsigned char, TCompThreadSafety::kBufferSize> input_{};
    std::size_t inPos_ = 0;
    std::size_t inEnd_ = 0;
};

// Decoded bytes straight to the run's output.
TDecoder::TSink DirectSink(TCompThreadSafety& coder);

}  // namespace lzma
