// setup.exe's own throw helpers, linked the same way into this program (no test framework, whose own use of
// the runtime would bring the runtime's helpers back): each container fault reaches a catch of the standard
// base with the runtime's message, and an allocation fault keeps its standard type.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

struct Fault {
    const char* name;
    std::function<void()> cause;
    const char* message;  // a part of what() for a length or index fault; null for an allocation fault
};

bool Raises(const Fault& fault)
{
    try {
        fault.cause();
    } catch (const std::bad_alloc&) {
        return fault.message == nullptr;
    } catch (const std::exception& e) {
        return fault.message != nullptr && std::strstr(e.what(), fault.message) != nullptr;
    }
    return false;
}

}  // namespace

int main()
{
    const Fault faults[] = {
        {"index", [] { (void)std::vector<int>().at(1); }, "vector::_M_range_check"},
        {"string index", [] { (void)std::string("ab").at(2); }, "basic_string::at: __n (which is 2) >= "},
        {"string position", [] { (void)std::string("ab").substr(3); },
         "basic_string::substr: __pos (which is 3) > this->size() (which is 2)"},
        {"string length", [] { std::string s; s.reserve(s.max_size() + 1); }, "basic_string::_M_create"},
        {"vector length", [] { std::vector<char> v; v.reserve(v.max_size() + 1); }, "vector::reserve"},
        {"allocation", [] { (void)std::allocator<std::uint64_t>().allocate(SIZE_MAX / 16 + 1); }, nullptr},
        {"array length", [] { (void)std::allocator<std::uint64_t>().allocate(SIZE_MAX / 8 + 1); }, nullptr},
    };
    int failed = 0;
    for (const Fault& fault : faults) {
        if (Raises(fault)) continue;
        std::printf("the %s fault did not raise what it should\n", fault.name);
        ++failed;
    }
    return failed == 0 ? 0 : 1;
}
