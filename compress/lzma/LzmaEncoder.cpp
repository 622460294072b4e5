#include <algorithm>
#include <new>
#include <string>

#include "compress/lzma/LzmaEncoding.h"
#include "port/Exception.h"

namespace lzma {

namespace {

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

// The run's input as the plain method's coder reads it: one coder buffer at most per read, so the match
// finder reads just ahead of the coding, progress follows the coding and a cancel is answered within one
// buffer.
struct TRunReader {
    TCompThreadSafety& coder;

    std::size_t Read(unsigned char* dest, std::size_t size)
    {
        return coder.ReadInput(dest, std::min(size, TCompThreadSafety::kBufferSize));
    }
};

}  // namespace

TRunOutput RunOutput(TCompThreadSafety& coder) { return {{WriteRun}, &coder, {}}; }

void TEncoderDelete::operator()(void* encoder) const { LzmaEnc_Destroy(encoder, &Allocator(), &Allocator()); }

CLzmaEncProps StrongestProps(std::int64_t inputSize, std::uint32_t dictionary)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = 9;
    props.dictSize = dictionary;
    props.reduceSize = static_cast<UInt32>(std::clamp<std::int64_t>(inputSize, 0, 0xFFFFFFFF));
    props.numThreads = 1;  // the archive writer keeps the cores busy with files
    return props;
}

TEncoder MakeEncoder(const CLzmaEncProps& props)
{
    TEncoder encoder(LzmaEnc_Create(&Allocator()));
    if (!encoder) throw std::bad_alloc();
    if (LzmaEnc_SetProps(encoder.get(), &props) != SZ_OK) throw Exception("The LZMA coder refused its settings");
    return encoder;
}

void PutHeader(TCompThreadSafety& coder, const TEncoder& encoder)
{
    unsigned char header[kHeaderSize];
    SizeT headerSize = sizeof header;
    if (LzmaEnc_WriteProperties(encoder.get(), header, &headerSize) != SZ_OK || headerSize != sizeof header)
        throw Exception("The LZMA coder wrote no header");
    coder.PutOutput(header, headerSize);
}

void Raise(SRes result, const std::exception_ptr& inputError, const std::exception_ptr& outputError)
{
    if (inputError) std::rethrow_exception(inputError);
    if (outputError) std::rethrow_exception(outputError);
    if (result == SZ_ERROR_MEM) throw std::bad_alloc();
    if (result != SZ_OK) throw Exception("The LZMA coder failed (SDK result " + std::to_string(result) + ")");
}

}  // namespace lzma

void EncodeLZMA(TCompThreadSafety& coder, std::int32_t) { EncodeLZMAWithin(coder, lzma::kMaxDictionary); }

void EncodeLZMAWithin(TCompThreadSafety& coder, std::uint32_t dictionary)
{
    const lzma::TEncoder encoder = lzma::MakeEncoder(lzma::StrongestProps(coder.InputSize(), dictionary));
    lzma::PutHeader(coder, encoder);
    lzma::TRunReader reader{coder};
    auto in = lzma::ReaderInput(reader);
    lzma::TRunOutput out = lzma::RunOutput(coder);
    const SRes result =
        LzmaEnc_Encode(encoder.get(), &out.stream, &in.stream, nullptr, &lzma::Allocator(), &lzma::Allocator());
    lzma::Raise(result, in.error, out.error);
}
