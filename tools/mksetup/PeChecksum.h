#pragma once
// The checksum in a Windows program's optional header. The linker fills it in; Windows checks it for drivers and
// some system files, and tools compare it. A program whose bytes change after linking must have it computed again.
#include <cstdint>
#include <optional>
#include <string>

// Where the field lies in a program file: nothing when its headers are not there whole.
std::optional<std::size_t> PeChecksumOffset(const std::string& program);

// The checksum of a program file whose field lies at fieldAt: its 16-bit little-endian words summed with every
// carry folded back in, the field counted as zero, plus the file's length.
std::uint32_t PeChecksum(const std::string& program, std::size_t fieldAt);

// Computes the field again when the linker filled it in; a zero field (none computed) stays zero.
void RefreshPeChecksum(std::string& program);
