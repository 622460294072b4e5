#include "port/Stream.h"

#include "port/Exception.h"

void Stream::ReadBuffer(void* buffer, std::size_t count)
{
    if (Read(buffer, count) != count) throw EReadError("Stream read error");
}

void Stream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (Write(buffer, count) != count) throw EWriteError("Stream write error");
}
