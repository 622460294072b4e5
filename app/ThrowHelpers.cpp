// The runtime's throw helpers for the standard containers sit in one object together with the helpers for
// every standard exception, and those exceptions keep their message in the old copy-on-write string: linking
// any helper brings in that string and what it needs, 77 KB, the largest part of the runtime in setup.exe.
// These, found by the linker before the runtime's, throw the same faults without it: allocation faults as
// the standard types, a container's length or index fault as the project's Exception with the runtime's own
// message, which every caller here catches as std::exception in any case. A helper the runtime adds later
// brings its object back and the link fails on the names defined twice, so none is lost unnoticed.
#include "port/Exception.h"

#include <new>

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_array_new_length(); }
[[noreturn]] void __throw_length_error(const char* what) { throw Exception(what); }
[[noreturn]] void __throw_logic_error(const char* what) { throw Exception(what); }
// The format's values are left out: its text names the container and the function.
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...) { throw Exception(format); }

}  // namespace std
