// The runtime's default last-resort handler prints the uncaught exception's demangled type to stderr, and its
// demangler alone is a tenth of this program. setup.exe has no console to print to, so this one, found by the
// linker before the runtime's, only aborts.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx
