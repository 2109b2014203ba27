#pragma once
// MD5 message digests (RFC 1321), for fingerprints of decoded pixels that other decoders'
// dumps can be compared with. Not for security.

#include <cstddef>
#include <cstdint>
#include <string>

namespace corpogif {

class Md5 {
  public:
    Md5();
    void Update(const std::uint8_t* data, size_t size);
    // The digest as 32 lower-case hex digits; the object is spent afterwards.
    std::string HexDigest();

  private:
    void Block(const std::uint8_t* block);

    std::uint32_t state_[4];
    std::uint64_t length_ = 0;  // bytes hashed so far
    std::uint8_t buffer_[64];
    size_t buffered_ = 0;
};

}  // namespace corpogif
