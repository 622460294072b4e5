// The runtime's throw helpers for the standard containers sit in one object together with the helpers for
// every standard exception, and those exceptions keep their message in the old copy-on-write string: linking
// any helper brings in that string and what it needs, 77 KB, the largest part of the runtime in setup.exe.
// These, found by the linker before the runtime's, throw the same faults without it: allocation faults as
// the standard types, a container's length or index fault as the project's Exception with the runtime's own
// message, which every caller here catches as std::exception in any case. A helper the runtime adds later
// brings its object back and the link fails on the names defined twice, so none is lost unnoticed.
#include "port/Exception.h"

#include <cstdarg>
#include <cstddef>
#include <new>
#include <string>
#include <utility>

namespace {

// The runtime's formats for index faults hold only %s (a function's name) and %zu (an index or a size); the
// printf family is left out of setup.exe.
std::string Formatted(const char* format, va_list values)
{
    std::string text;
    for (const char* at = format; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            text += va_arg(values, const char*);
            at += 1;
        } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            text += std::to_string(va_arg(values, std::size_t));
            at += 2;
        } else {
            text += *at;
        }
    }
    return text;
}

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_array_new_length(); }
[[noreturn]] void __throw_length_error(const char* what) { throw Exception(what); }
[[noreturn]] void __throw_logic_error(const char* what) { throw Exception(what); }
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    std::string text = Formatted(format, values);
    va_end(values);
    throw Exception(std::move(text));
}

}  // namespace std
