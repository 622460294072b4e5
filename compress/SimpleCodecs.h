#pragma once
// The two byte-level methods: stored (coNone) and run-length (coRLE) with the marker byte 0x94.
#include "compress/CompThreadSafety.h"

constexpr unsigned char kRunMarker = 0x94;

// Copies every input byte of the run (both directions).
void CopyBytes(TCompThreadSafety& state);
void DecodeRLE(TCompThreadSafety& state);
void EncodeRLE(TCompThreadSafety& state);
