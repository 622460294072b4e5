#include "compress/Codecs.h"

#include "compress/MethodTable.h"

TCodec DecoderOf(std::uint8_t method, std::string_view customId)
{
    static constexpr auto decoders = MethodColumn(&TMethodRow::Decoder);
    const std::size_t row = MethodRowOf(method, customId);
    return row < kMethodCount ? decoders[row] : nullptr;
}
