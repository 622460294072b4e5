#pragma once
// A fixed-size array indexed by the signed node and position numbers of the coders' data structures.
#include <array>
#include <cstddef>

template <typename T, std::size_t N>
class TIndexedArray {
public:
    T& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    T* Data() { return items_.data(); }

private:
    std::array<T, N> items_{};
};
