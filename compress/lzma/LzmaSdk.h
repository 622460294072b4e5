#pragma once
// The LZMA SDK's common types, for our two coders, which include LzmaDec.h or LzmaEnc.h after this. On
// Windows the SDK's Types.h pulls in the system's header for one type (WRes) that neither coder uses; it is
// hidden, so the component stays on portable headers and the system's macros stay out. The structures the
// coders share with the SDK do not depend on it.
#include <cstddef>
#include <cstdlib>

#pragma push_macro("_WIN32")
#undef _WIN32
#include "Types.h"
#pragma pop_macro("_WIN32")

namespace lzma {

// The SDK allocates through this table; a failure comes back as SZ_ERROR_MEM.
inline ISzAlloc& Allocator()
{
    static ISzAlloc alloc = {[](void*, std::size_t size) { return std::malloc(size); },
                             [](void*, void* address) { std::free(address); }};
    return alloc;
}

}  // namespace lzma
