#pragma once
// One file as an archive entry: its header, taken from the file, and its data coded into memory with
// no event called, so that entries can be coded on several threads and written in order afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "compress/Codecs.h"
#include "compress/CompThreadSafety.h"
#include "compress/Compress.h"
#include "compress/archive/ArchiveFormat.h"
#include "port/FileStream.h"

// The header of the entry for the open file: date, attributes, size, method and lock; the coded size
// and the checksum are filled in once the data are coded.
TEntryHeader EntryHeaderFor(FileStream& input, const std::string& storedName, TCompressionMethod method,
                            std::int32_t key);

// A locked entry carries the byte sum plus the key, so a wrong key is refused even when unscrambled.
std::int32_t EntryChecksum(std::int32_t byteSum, const TEntryHeader& entry, std::int32_t key);

// A file that shrank or grew while it was coded would leave an entry whose data disagree with the size
// its header announces: refused with EReadError naming the file. read is the count of bytes the coding
// took from it.
void CheckSourceUnchanged(FileStream& input, const TEntryHeader& entry, std::int64_t read);

// The method an archive's entries are written with: the entries' method byte and its encoder (none for
// coCustom coded by the OnCompress handler).
struct TEntryMethod {
    TCompressionMethod Method = coNone;
    TCodec Encoder = nullptr;
};

struct TCodedEntry {
    TEntryHeader Header;
    std::vector<unsigned char> Data;
    bool Cancelled = false;
};

// Codes the file with method (one with an encoder), storing it when it would not get smaller.
// progress hears the share of the file read; answering -1 ends the coding with Cancelled set. An entry of a
// solid method's chain is never stored: the chain's coder has seen its bytes, and so must the reader's.
TCodedEntry CodeEntryInMemory(const TArchiveSource& file, const TEntryMethod& method, std::int32_t key,
                              const TShowProgressEvent& progress, TCodingChain* chain = nullptr);
