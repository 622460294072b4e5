#include "port/CodePageText.h"

#include <iconv.h>

#include <cerrno>

namespace port {

namespace {

// Owns one conversion descriptor.
class Converter {
public:
    explicit Converter(unsigned codePage) : cd_(iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str()))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw EUnknownCodePage(codePage);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // False when the input holds a byte or sequence the code page does not map, or ends inside one.
    bool Convert(std::string_view bytes, std::string& out)
    {
        char* in = const_cast<char*>(bytes.data());  // iconv's signature; it only reads the input
        std::size_t inLeft = bytes.size();
        char buffer[4096];
        for (;;) {
            char* next = buffer;
            std::size_t outLeft = sizeof buffer;
            // A null input flushes what a stateful code page holds back, once the input is used up.
            const std::size_t done = iconv(cd_, inLeft > 0 ? &in : nullptr, &inLeft, &next, &outLeft);
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (done != static_cast<std::size_t>(-1)) {
                if (inLeft == 0 && next == buffer) return true;
                continue;
            }
            if (errno != E2BIG) return false;  // EILSEQ: no character; EINVAL: cut off at the end
        }
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage)
{
    Converter converter(codePage);
    std::string out;
    if (!converter.Convert(bytes, out)) return std::nullopt;
    return out;
}

}  // namespace port
