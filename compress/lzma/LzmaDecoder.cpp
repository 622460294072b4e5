#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "compress/CompressExceptions.h"
#include "compress/lzma/LzmaDecoding.h"

// Declared by the SDK's decoder but not in its header: what LZMA2 calls a chunk without a reset.
extern "C" void LzmaDec_InitDicAndState(CLzmaDec* p, Bool initDic, Bool initState);

namespace lzma {

namespace {

std::uint32_t DictionaryOf(const Header& header)
{
    std::uint32_t size = 0;
    for (std::size_t i = kHeaderSize; i-- > 1;) size = (size << 8) | header[i];
    return size;
}

// The refusals are made out of line: setup.exe carries this decoder, and every message built where it is
// raised would cost the program code.
[[noreturn, gnu::noinline, gnu::cold]] void Refuse(const char* what, std::uint32_t figure, const char* rest)
{
    throw ELzmaData(what + std::to_string(figure) + rest);
}

}  // namespace

void RefuseAfter(const char* what, std::int32_t written, std::int32_t expandedSize)
{
    throw ELzmaData(what + std::to_string(written) + " of " + std::to_string(expandedSize) + " bytes");
}

TDecoder::TSink DirectSink(TCompThreadSafety& coder)
{
    return {[](void* context, const unsigned char* bytes, std::size_t count, bool) {
                static_cast<TCompThreadSafety*>(context)->PutOutput(bytes, count);
            },
            &coder};
}

bool ReadHeader(TCompThreadSafety& coder, Header& header)
{
    if (coder.ReadInput(header.data(), header.size()) == header.size()) return true;
    if (coder.Cancelled()) return false;
    throw ELzmaData("The LZMA data end within their header");
}

void CheckHeader(const Header& header, std::uint32_t maxDictionary)
{
    static_assert(kMaxLiteralBits == 4, "the message names the limit");
    CLzmaProps props{};
    if (LzmaProps_Decode(&props, header.data(), kHeaderSize) != SZ_OK)
        Refuse("The LZMA header names properties no LZMA coder has (byte ", header[0], ")");
    if (props.lc + props.lp > kMaxLiteralBits)
        Refuse("The LZMA header asks for ", props.lc + props.lp,
               " literal context and position bits; at most 4 are expanded");
    if (DictionaryOf(header) > maxDictionary)
        throw ELzmaData("The LZMA header asks for a dictionary of " + std::to_string(DictionaryOf(header)) +
                        " bytes; at most " + std::to_string(maxDictionary) + " (" +
                        std::to_string(maxDictionary >> 20) + " MB) are expanded");
}

Header WithDictionaryAtMost(Header header, std::uint32_t size)
{
    size = std::min(DictionaryOf(header), size);
    for (std::size_t i = 0; i < 4; ++i) header[1 + i] = static_cast<unsigned char>(size >> (8 * i));
    return header;
}

TDecoder::TDecoder(const Header& header)
{
    LzmaDec_Construct(&state_);
    if (LzmaDec_Allocate(&state_, header.data(), kHeaderSize, &Allocator()) != SZ_OK) throw std::bad_alloc();
    LzmaDec_Init(&state_);
}

TDecoder::~TDecoder() { LzmaDec_Free(&state_, &Allocator()); }

void TDecoder::ContinueWithNextEntry(bool freshState)
{
    LzmaDec_InitDicAndState(&state_, False, freshState ? True : False);
    inPos_ = inEnd_ = 0;
}

void TDecoder::Decode(TCompThreadSafety& coder, std::int32_t expandedSize, const TSink& sink)
{
    CLzmaDec& dec = state_;
    std::int32_t written = 0;
    while (written < expandedSize) {
        // With the input used up the decoder may still hold the rest of a match, or bytes it kept back: it is
        // asked once more, and only when that gives nothing have the data ended too soon.
        const bool inputLeft = inPos_ < inEnd_ || Refill(coder);
        if (!inputLeft && coder.Cancelled()) return;
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
        sink.put(sink.context, dec.dic + from, static_cast<std::size_t>(count), written == expandedSize);
        if (result != SZ_OK) RefuseAfter("The LZMA data are damaged after ", written, expandedSize);
        if (count == 0 && !inputLeft) RefuseAfter("The LZMA data end after ", written, expandedSize);
        if (status == LZMA_STATUS_FINISHED_WITH_MARK && written < expandedSize)
            RefuseAfter("The LZMA data mark their end after ", written, expandedSize);
    }
}

bool TDecoder::Refill(TCompThreadSafety& coder)
{
    inPos_ = 0;
    inEnd_ = coder.ReadInput(input_.data(), input_.size());
    return inEnd_ > 0;
}

}  // namespace lzma

void DecodeLZMA(TCompThreadSafety& coder, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    lzma::Header header{};
    if (!lzma::ReadHeader(coder, header)) return;
    lzma::CheckHeader(header, lzma::kMaxDictionary);
    // The dictionary never needs to be larger than the file: a small file takes little memory whatever its
    // header asks for.
    const auto decoder = std::make_unique<lzma::TDecoder>(
        lzma::WithDictionaryAtMost(header, static_cast<std::uint32_t>(expandedSize)));
    decoder->Decode(coder, expandedSize, lzma::DirectSink(coder));
}
