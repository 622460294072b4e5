#include "compress/Codecs.h"

#include "compress/MethodTable.h"

TCodec EncoderOf(std::uint8_t method, std::string_view customId)
{
    static constexpr auto encoders = MethodColumn(&TMethodRow::Encoder);
    const std::size_t row = MethodRowOf(method, customId);
    return row < kMethodCount ? encoders[row] : nullptr;
}
