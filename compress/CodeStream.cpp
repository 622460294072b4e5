// Apart from the rest of TCompress: CodeStream names the encoders, and a program that only expands (setup.exe)
// must not link them. The linker takes whole object files from the library, so this one stays out of it.
#include "compress/Codecs.h"
#include "compress/Compress.h"
#include "compress/CompressExceptions.h"

std::int32_t TCompress::CodeStream(Stream& Dest, Stream& Source, bool Unscramble, TCodeDirection Direction,
                                   std::int32_t& Checksum, std::uint8_t Method, std::int32_t ExpandedSize,
                                   std::int32_t InputSize)
{
    const bool expanding = Direction == TCodeDirection::Expand;
    const TCodec codec = expanding ? DecoderOf(Method, CompressID) : EncoderOf(Method, CompressID);
    if (codec == nullptr)
        throw EUnknownEntryMethod(Method == coCustom ? "The custom method \"" + CompressID + "\" has no built-in coder"
                                                     : "The method " + std::to_string(Method) + " is unknown");
    return CodeWith(codec, Dest, Source, Unscramble, Direction, Checksum, ExpandedSize, InputSize);
}
