#include "port/WholeFile.h"

#include "port/Exception.h"
#include "port/FileStream.h"

#include <limits>

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    try {
        FileStream file(path, FileMode::OpenRead);
        const std::int64_t size = file.Size();
        if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        file.ReadBuffer(bytes.data(), bytes.size());
        return bytes;
    } catch (const Exception&) {
        return std::nullopt;
    }
}
