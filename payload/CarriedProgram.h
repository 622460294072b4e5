#pragma once
// The bare setup.exe a single file carries, the uninstaller to be, is the program that carries it as the
// maker had it before the payload was attached, plus what signing it changed: a few header fields and the
// signature after the image. The payload holds only that difference from the carrier's image, a few
// kilobytes instead of the program a second time, and the carried file comes back byte for byte.
//
// The difference: the carried file's size (8 bytes), its CRC-32 (4) and the number of pieces (4), then each
// piece: its offset (8), its size (4) and its bytes; little-endian. The carried file is the carrier's image,
// cut or extended with zeros to its size, with every piece written over it.
#include <string>
#include <vector>

#include "payload/Payload.h"
#include "port/Stream.h"

namespace carriedfmt {
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kPieceHeaderSize = 12;
}  // namespace carriedfmt

// The difference of program from the image of stub, both files.
std::vector<unsigned char> ProgramDifference(const std::string& stub, const std::string& program);

// The carried program, rebuilt from the image of carrier (the single file) and difference, a member of its
// payload. Raises EPayloadError naming fileName when the difference leads outside itself or what it makes
// fails the carried file's CRC-32.
std::vector<unsigned char> RebuildCarriedProgram(Stream& carrier, const TPayloadEntry& difference,
                                                 const std::string& fileName);
