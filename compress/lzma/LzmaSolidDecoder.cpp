#include <array>
#include <memory>
#include <string>
#include <utility>

#include "compress/CompressExceptions.h"
#include "compress/lzma/LzmaDecoding.h"
#include "compress/lzma/LzmaSolid.h"
#include "compress/lzma/X86Filter.h"

namespace {

using lzma::TDecoder;

// The decoder of the chain: a new one for an entry that starts a chain, the chain's for one that goes on.
std::shared_ptr<TDecoder> DecoderFor(TCompThreadSafety& coder, unsigned char flags, const std::shared_ptr<void>& chain)
{
    if ((flags & lzma::solid::kStartsChain) == 0) {
        if (!chain) throw ELzmaData("The entry goes on with a solid chain whose earlier entries were not expanded");
        auto decoder = std::static_pointer_cast<TDecoder>(chain);
        decoder->ContinueWithNextEntry((flags & lzma::solid::kStartsPart) != 0);
        return decoder;
    }
    lzma::Header header{};
    if (!lzma::ReadHeader(coder, header)) return nullptr;
    lzma::CheckHeader(header, lzma::solid::kMaxDictionary);
    return std::make_shared<TDecoder>(header);
}

// Takes the filter off the decoded bytes: an instruction the piece cuts waits for the next piece.
class TUnfilteredOutput {
public:
    explicit TUnfilteredOutput(TCompThreadSafety& coder) : coder_(coder) {}

    TDecoder::TSink Sink()
    {
        return {[](void* context, const unsigned char* bytes, std::size_t count, bool last) {
                    static_cast<TUnfilteredOutput*>(context)->Put(bytes, count, last);
                },
                this};
    }

    void Put(const unsigned char* bytes, std::size_t count, bool last)
    {
        std::copy(bytes, bytes + count, buffer_.begin() + static_cast<std::ptrdiff_t>(held_));
        const std::size_t size = held_ + count;
        const std::size_t done = filter_.Convert(buffer_.data(), size, last);
        coder_.PutOutput(buffer_.data(), done);
        std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(done),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(size), buffer_.begin());
        held_ = size - done;
    }

private:
    TCompThreadSafety& coder_;
    TX86Filter filter_{TX86Filter::Direction::Back};
    std::array<unsigned char, TDecoder::kPieceSize + 4> buffer_{};
    std::size_t held_ = 0;
};

}  // namespace

void DecodeLZMASolid(TCompThreadSafety& coder, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    TCodingChain alone;
    TCodingChain& chain = coder.Chain() != nullptr ? *coder.Chain() : alone;
    const std::shared_ptr<void> held = std::exchange(chain.state, nullptr);  // given back once this entry is whole
    unsigned char flags = 0;
    if (coder.ReadInput(&flags, 1) == 0) {
        if (coder.Cancelled()) return;
        throw ELzmaData("The solid LZMA data end before their first byte");
    }
    constexpr unsigned char known = lzma::solid::kStartsChain | lzma::solid::kX86 | lzma::solid::kStartsPart;
    if ((flags & ~known) != 0)
        throw ELzmaData("The solid LZMA data start with flags no coder writes (" + std::to_string(flags) + ")");
    const std::shared_ptr<TDecoder> decoder = DecoderFor(coder, flags, held);
    if (!decoder) return;
    if ((flags & lzma::solid::kX86) != 0) {
        const auto output = std::make_unique<TUnfilteredOutput>(coder);
        decoder->Decode(coder, expandedSize, output->Sink());
    } else {
        decoder->Decode(coder, expandedSize, lzma::DirectSink(coder));
    }
    if (!coder.Cancelled()) chain.state = decoder;
}
