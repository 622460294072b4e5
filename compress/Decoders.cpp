#include "compress/Codecs.h"

#include "compress/Compress.h"
#include "compress/Lh5.h"
#include "compress/Lzhuf.h"
#include "compress/SimpleCodecs.h"

TCodec DecoderOf(std::uint8_t method)
{
    switch (method) {
    case coNone: return [](TCompThreadSafety& coder, std::int32_t) { CopyBytes(coder); };
    case coRLE: return DecodeRLE;
    case coLZH: return DecodeLZH;
    case coLZH5: return DecodeLZH5;
    default: return [](TCompThreadSafety&, std::int32_t) {};  // custom and unknown methods are not coded here
    }
}
