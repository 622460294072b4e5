#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string>

#include "compress/CompressExceptions.h"
#include "compress/Lzma.h"
#include "compress/LzmaSdk.h"
// After LzmaSdk.h, which has read the SDK's types.
#include "LzmaDec.h"

namespace {

using Header = std::array<unsigned char, lzma::kHeaderSize>;

std::uint32_t DictionaryOf(const Header& header)
{
    std::uint32_t size = 0;
    for (std::size_t i = lzma::kHeaderSize; i-- > 1;) size = (size << 8) | header[i];
    return size;
}

// The refusals are made out of line, in two places: setup.exe carries this decoder, and every message
// built where it is raised would cost the program code.
[[noreturn, gnu::noinline, gnu::cold]] void Refuse(const char* what, std::uint32_t figure, const char* rest)
{
    throw ELzmaData(what + std::to_string(figure) + rest);
}

[[noreturn, gnu::noinline, gnu::cold]] void RefuseAfter(const char* what, std::int32_t written,
                                                        std::int32_t expandedSize)
{
    throw ELzmaData(what + std::to_string(written) + " of " + std::to_string(expandedSize) + " bytes");
}

// Refuses what would make the decoder ask for more memory than the method allows.
void CheckHeader(const Header& header)
{
    static_assert(lzma::kMaxLiteralBits == 4 && lzma::kMaxDictionary == 8u << 20, "the messages name the limits");
    CLzmaProps props{};
    if (LzmaProps_Decode(&props, header.data(), lzma::kHeaderSize) != SZ_OK)
        Refuse("The LZMA header names properties no LZMA coder has (byte ", header[0], ")");
    if (props.lc + props.lp > lzma::kMaxLiteralBits)
        Refuse("The LZMA header asks for ", props.lc + props.lp,
               " literal context and position bits; at most 4 are expanded");
    if (DictionaryOf(header) > lzma::kMaxDictionary)
        Refuse("The LZMA header asks for a dictionary of ", DictionaryOf(header),
               " bytes; at most 8388608 (8 MB) are expanded");
}

// The dictionary never needs to be larger than the file: a small file takes little memory whatever its
// header asks for.
Header WithDictionaryFor(Header header, std::int32_t expandedSize)
{
    const std::uint32_t size = std::min(DictionaryOf(header), static_cast<std::uint32_t>(expandedSize));
    for (std::size_t i = 0; i < 4; ++i) header[1 + i] = static_cast<unsigned char>(size >> (8 * i));
    return header;
}

class TDecoderState {
public:
    explicit TDecoderState(const Header& header)
    {
        LzmaDec_Construct(&state_);
        if (LzmaDec_Allocate(&state_, header.data(), lzma::kHeaderSize, &lzma::Allocator()) != SZ_OK)
            throw std::bad_alloc();
        LzmaDec_Init(&state_);
    }
    ~TDecoderState() { LzmaDec_Free(&state_, &lzma::Allocator()); }
    TDecoderState(const TDecoderState&) = delete;
    TDecoderState& operator=(const TDecoderState&) = delete;

    CLzmaDec& operator*() { return state_; }

private:
    CLzmaDec state_;
};

}  // namespace

void DecodeLZMA(TCompThreadSafety& coder, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    Header header{};
    if (coder.ReadInput(header.data(), header.size()) < header.size()) {
        if (coder.Cancelled()) return;
        throw ELzmaData("The LZMA data end within their header");
    }
    CheckHeader(header);
    TDecoderState state(WithDictionaryFor(header, expandedSize));
    CLzmaDec& dec = *state;
    const auto input = std::make_unique<unsigned char[]>(TCompThreadSafety::kBufferSize);
    std::size_t inPos = 0;
    std::size_t inEnd = 0;
    std::int32_t written = 0;
    while (written < expandedSize) {
        if (inPos == inEnd) {
            inPos = 0;
            inEnd = coder.ReadInput(input.get(), TCompThreadSafety::kBufferSize);
            if (inEnd == 0) {
                if (coder.Cancelled()) return;
                RefuseAfter("The LZMA data end after ", written, expandedSize);
            }
        }
        if (dec.dicPos == dec.dicBufSize) dec.dicPos = 0;  // the dictionary is a ring
        const SizeT from = dec.dicPos;
        const SizeT limit = from + std::min<SizeT>(dec.dicBufSize - from, static_cast<SizeT>(expandedSize - written));
        SizeT taken = inEnd - inPos;
        ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
        const SRes result = LzmaDec_DecodeToDic(&dec, limit, input.get() + inPos, &taken, LZMA_FINISH_ANY, &status);
        inPos += taken;
        coder.PutOutput(dec.dic + from, dec.dicPos - from);
        written += static_cast<std::int32_t>(dec.dicPos - from);
        if (result != SZ_OK) RefuseAfter("The LZMA data are damaged after ", written, expandedSize);
        if (status == LZMA_STATUS_FINISHED_WITH_MARK && written < expandedSize)
            RefuseAfter("The LZMA data mark their end after ", written, expandedSize);
    }
}
