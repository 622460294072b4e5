#pragma once
// The encoding both LZMA methods share: the SDK's encoder with the strongest settings, and the run's output as
// the SDK writes it.
#include <cstdint>
#include <exception>
#include <memory>

#include "compress/CompThreadSafety.h"
#include "compress/lzma/Lzma.h"
#include "compress/lzma/LzmaSdk.h"
// After LzmaSdk.h, which has read the SDK's types.
#include "LzmaEnc.h"

namespace lzma {

// The coder reads and writes through the run's state. An exception there (a read error, the output budget)
// cannot cross the SDK's C code: it waits in the stream, the coder is told of an error, and Raise raises it
// once the coder has returned.
struct TRunOutput {
    ISeqOutStream stream;
    TCompThreadSafety* coder;
    std::exception_ptr error;
};
TRunOutput RunOutput(TCompThreadSafety& coder);

// The SDK's input stream over a reader of ours, whose Read(bytes, size) gives the next bytes (0 at the end).
template <typename Reader>
struct TReaderInput {
    ISeqInStream stream;
    Reader* reader;
    std::exception_ptr error;

    static SRes Read(void* p, void* buf, std::size_t* size)
    {
        auto* in = static_cast<TReaderInput*>(p);
        try {
            *size = in->reader->Read(static_cast<unsigned char*>(buf), *size);
            return SZ_OK;
        } catch (...) {
            in->error = std::current_exception();
            *size = 0;
            return SZ_ERROR_READ;
        }
    }
};

template <typename Reader>
TReaderInput<Reader> ReaderInput(Reader& reader)
{
    return {{&TReaderInput<Reader>::Read}, &reader, {}};
}

struct TEncoderDelete {
    void operator()(void* encoder) const;
};
using TEncoder = std::unique_ptr<void, TEncoderDelete>;

// The strongest settings, with a dictionary of at most dictionary bytes, shrunk to an input of inputSize.
CLzmaEncProps StrongestProps(std::int64_t inputSize, std::uint32_t dictionary);
TEncoder MakeEncoder(const CLzmaEncProps& props);
// Writes the coder's 5-byte header to the run's output.
void PutHeader(TCompThreadSafety& coder, const TEncoder& encoder);
// Raises what the streams held back, then what the coder's result says.
void Raise(SRes result, const std::exception_ptr& inputError, const std::exception_ptr& outputError);

}  // namespace lzma
