#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "compress/Lzma.h"
#include "compress/LzmaSdk.h"
#include "port/Exception.h"
// After LzmaSdk.h, which has read the SDK's types.
#include "LzmaEnc.h"

namespace {

// The coder reads and writes through the run's state. An exception there (a read error, the output budget)
// cannot cross the SDK's C code: it waits here, the coder is told of an error, and it is raised once the
// coder has returned.
struct TRunInput {
    ISeqInStream stream;
    TCompThreadSafety* coder;
    std::exception_ptr error;
};

struct TRunOutput {
    ISeqOutStream stream;
    TCompThreadSafety* coder;
    std::exception_ptr error;
};

// One coder buffer at most per read: the match finder then reads just ahead of the coding, so progress
// follows the coding and a cancel is answered within one buffer.
SRes ReadRun(void* p, void* buf, std::size_t* size)
{
    auto* in = static_cast<TRunInput*>(p);
    try {
        *size = in->coder->ReadInput(static_cast<unsigned char*>(buf), std::min(*size, TCompThreadSafety::kBufferSize));
        return SZ_OK;
    } catch (...) {
        in->error = std::current_exception();
        *size = 0;
        return SZ_ERROR_READ;
    }
}

std::size_t WriteRun(void* p, const void* buf, std::size_t size)
{
    auto* out = static_cast<TRunOutput*>(p);
    if (out->error) return 0;
    try {
        out->coder->PutOutput(static_cast<const unsigned char*>(buf), size);
        return size;
    } catch (...) {
        out->error = std::current_exception();
        return 0;
    }
}

// The strongest settings, with the dictionary bounded for the expanding side (and shrunk to the input).
CLzmaEncProps PropsFor(std::int32_t inputSize, std::uint32_t dictionary)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = 9;
    props.dictSize = dictionary;
    props.reduceSize = static_cast<UInt32>(inputSize);
    props.numThreads = 1;  // the archive writer keeps the cores busy with files
    return props;
}

struct TEncoderDelete {
    void operator()(void* encoder) const { LzmaEnc_Destroy(encoder, &lzma::Allocator(), &lzma::Allocator()); }
};

std::unique_ptr<void, TEncoderDelete> MakeEncoder(std::int32_t inputSize, std::uint32_t dictionary)
{
    std::unique_ptr<void, TEncoderDelete> encoder(LzmaEnc_Create(&lzma::Allocator()));
    if (!encoder) throw std::bad_alloc();
    const CLzmaEncProps props = PropsFor(inputSize, dictionary);
    if (LzmaEnc_SetProps(encoder.get(), &props) != SZ_OK) throw Exception("The LZMA coder refused its settings");
    return encoder;
}

}  // namespace

void EncodeLZMA(TCompThreadSafety& coder, std::int32_t) { EncodeLZMAWithin(coder, lzma::kMaxDictionary); }

void EncodeLZMAWithin(TCompThreadSafety& coder, std::uint32_t dictionary)
{
    const auto encoder = MakeEncoder(coder.InputSize(), dictionary);
    unsigned char header[lzma::kHeaderSize];
    SizeT headerSize = sizeof header;
    if (LzmaEnc_WriteProperties(encoder.get(), header, &headerSize) != SZ_OK || headerSize != sizeof header)
        throw Exception("The LZMA coder wrote no header");
    coder.PutOutput(header, headerSize);
    TRunInput in{{ReadRun}, &coder, {}};
    TRunOutput out{{WriteRun}, &coder, {}};
    const SRes result =
        LzmaEnc_Encode(encoder.get(), &out.stream, &in.stream, nullptr, &lzma::Allocator(), &lzma::Allocator());
    if (in.error) std::rethrow_exception(in.error);
    if (out.error) std::rethrow_exception(out.error);
    if (result == SZ_ERROR_MEM) throw std::bad_alloc();
    if (result != SZ_OK) throw Exception("The LZMA coder failed (SDK result " + std::to_string(result) + ")");
}
