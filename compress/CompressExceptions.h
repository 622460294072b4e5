#pragma once
// The compression component's exceptions: each is its own class with a fixed message.
#include <string>

#include "port/Exception.h"

class EInvalidHeader : public Exception {
public:
    EInvalidHeader() : Exception("Can't recognize compressed file header") {}
};

class EInvalidHeaderArchiveType : public Exception {
public:
    EInvalidHeaderArchiveType() : Exception("Archive type must be caMulti") {}
};

class EUnrecognizedCompressionMethod : public Exception {
public:
    explicit EUnrecognizedCompressionMethod(const std::string& id)
        : Exception("Unrecognized compression method: \"" + id + "\" in header")
    {
    }
};

class ELZHBadDecodeTable : public Exception {
public:
    ELZHBadDecodeTable() : Exception("Bad decode table in archive!") {}
};

class EBadChecksum : public Exception {
public:
    EBadChecksum() : Exception("Bad checksum during expansion -- data may be invalid") {}
};

class EInvalidKey : public Exception {
public:
    EInvalidKey() : Exception("File locked -- valid key required") {}
};

class EInsufficientDiskSpace : public Exception {
public:
    explicit EInsufficientDiskSpace(const std::string& destination)
        : Exception("Not enough disk space to expand " + destination)
    {
    }
};

class EUnableToCompress : public Exception {
public:
    EUnableToCompress() : Exception("Could not compress data, will store instead") {}
};

// Not one of the format's own messages: an archive that would pass the format's 32-bit sizes.
class EArchiveTooLarge : public Exception {
public:
    using Exception::Exception;
};

// Not one of the format's own messages: an entry that neither a built-in decoder nor the application's
// handler can expand (a custom identifier nobody codes, a method byte past the table).
class EUnknownEntryMethod : public Exception {
public:
    using Exception::Exception;
};

// Not one of the format's own messages: LZMA data that cannot be expanded (a header the decoder refuses,
// data cut short or damaged).
class ELzmaData : public Exception {
public:
    using Exception::Exception;
};
