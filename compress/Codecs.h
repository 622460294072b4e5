#pragma once
// The codec a method codes with, one direction at a time. The decoders and the encoders are chosen in files
// of their own, so that a program that only expands (setup.exe) links no encoder, nor the threads the
// encoders and the archive writer run on.
#include <cstdint>
#include <string_view>

#include "compress/CompThreadSafety.h"

// Codes the run's input into its output; expandedSize bounds what a decoder writes.
using TCodec = void (*)(TCompThreadSafety& coder, std::int32_t expandedSize);

// The decoder or the encoder of a method (MethodTable.h); customId names a coCustom method and is not read
// for the others. None (null) for coCustom left to the application's handlers and for unknown methods.
TCodec DecoderOf(std::uint8_t method, std::string_view customId);
TCodec EncoderOf(std::uint8_t method, std::string_view customId);
