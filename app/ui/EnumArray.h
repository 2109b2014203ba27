#pragma once
// An array with one element for each value of an enum, indexed by the enum's values, so that
// an element is named for what it is rather than by its position.

#include <array>
#include <cstddef>

namespace ui {

template <typename Enum, typename T, std::size_t N>
struct EnumArray : std::array<T, N> {
    T& operator[](Enum key) { return std::array<T, N>::operator[](static_cast<std::size_t>(key)); }
    const T& operator[](Enum key) const {
        return std::array<T, N>::operator[](static_cast<std::size_t>(key));
    }
};

}  // namespace ui
