#pragma once
// The two byte-level methods: stored (coNone) and run-length (coRLE) with the marker byte 0x94.
#include "compress/CompThreadSafety.h"

constexpr unsigned char kRunMarker = 0x94;

// Copies every input byte of the run (both directions).
void CopyBytes(TCompThreadSafety& state);
// Writes at most expandedSize bytes: runs in corrupt data could otherwise repeat far past the file.
void DecodeRLE(TCompThreadSafety& state, std::int32_t expandedSize);
void EncodeRLE(TCompThreadSafety& state);
