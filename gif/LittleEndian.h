#pragma once
// Eight bytes as one number, the first byte lowest, whatever the machine's byte order: the
// form in which the LZW coder and the mask builder work on eight pixels or bytes at once.

#include <cstdint>
#include <cstring>

namespace gif {

inline std::uint64_t LoadLittleEndian64(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

inline void StoreLittleEndian64(std::uint8_t* bytes, std::uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    std::memcpy(bytes, &word, 8);
}

}  // namespace gif
