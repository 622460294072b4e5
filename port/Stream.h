#pragma once
// A seekable byte stream: what the components read archives from and write files to.
#include <cstddef>
#include <cstdint>

enum class SeekOrigin { Begin, Current, End };

class Stream {
public:
    Stream() = default;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    virtual ~Stream() = default;

    // Reads up to count bytes; fewer only at the end of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes up to count bytes; fewer only when the medium refuses more.
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t Size() = 0;

    std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
    std::int64_t Remaining() { return Size() - Position(); }

    // All or nothing: a short transfer raises EReadError or EWriteError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};
