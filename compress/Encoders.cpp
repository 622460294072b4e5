#include "compress/Codecs.h"

#include "compress/Compress.h"
#include "compress/Lh5.h"
#include "compress/Lzhuf.h"
#include "compress/SimpleCodecs.h"

TCodec EncoderOf(std::uint8_t method)
{
    switch (method) {
    case coNone: return [](TCompThreadSafety& coder, std::int32_t) { CopyBytes(coder); };
    case coRLE: return [](TCompThreadSafety& coder, std::int32_t) { EncodeRLE(coder); };
    case coLZH: return [](TCompThreadSafety& coder, std::int32_t) { EncodeLZH(coder); };
    case coLZH5: return [](TCompThreadSafety& coder, std::int32_t) { EncodeLZH5(coder); };
    default: return [](TCompThreadSafety&, std::int32_t) {};  // custom and unknown methods are not coded here
    }
}
