#pragma once
// A fixed-size array indexed by the signed node and position numbers of the coders' data structures.
#include <array>
#include <cstddef>
#include <cstdint>

template <typename T, std::size_t N>
class TIndexedArray {
public:
    // Zero-extended rather than sign-extended: one instruction fewer on each of the coders' many reads.
    T& operator[](int i) { return items_[static_cast<std::uint32_t>(i)]; }
    T* Data() { return items_.data(); }

private:
    std::array<T, N> items_{};
};
