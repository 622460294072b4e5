#pragma once
// The codec a method codes with, one direction at a time. The decoders and the encoders are chosen in files
// of their own, so that a program that only expands (setup.exe) links no encoder, nor the threads the
// encoders and the archive writer run on.
#include <cstdint>

#include "compress/CompThreadSafety.h"

// Codes the run's input into its output; expandedSize bounds what a decoder writes.
using TCodec = void (*)(TCompThreadSafety& coder, std::int32_t expandedSize);

// The decoder or the encoder of a built-in method; for custom and unknown methods one that codes nothing.
TCodec DecoderOf(std::uint8_t method);
TCodec EncoderOf(std::uint8_t method);
