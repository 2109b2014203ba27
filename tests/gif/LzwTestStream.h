#pragma once
// Hand-made LZW data for decoder tests: a packer that writes chosen codes at the widths a
// decoder expects, and a plain dictionary encoder with the options real encoders differ
// in (a leading clear code or none, a clear code when the table fills or none at all).

#include <cstdint>
#include <vector>

// Packs codes least significant bit first. The width follows the decoder's schedule: it
// starts at minimum code size + 1 and grows as soon as the next slot no longer fits; a code
// right after a clear code (or at the start) adds no slot.
class LzwCodePacker {
  public:
    explicit LzwCodePacker(int minimumCodeSize);

    LzwCodePacker& Clear();
    LzwCodePacker& End();
    // A data code; tracks the table as the decoder would.
    LzwCodePacker& Code(std::uint32_t code);
    // Writes a code at an explicit width, with no table tracking.
    LzwCodePacker& Raw(std::uint32_t code, int width);

    int Width() const { return width_; }
    std::uint32_t NextSlot() const { return nextSlot_; }
    std::vector<std::uint8_t> Bytes() const;

  private:
    void Put(std::uint32_t code, int width);

    int minimumCodeSize_;
    std::uint32_t clearCode_;
    int width_;
    std::uint32_t nextSlot_;
    bool afterClear_ = true;
    std::vector<std::uint8_t> bytes_;
    std::uint64_t buffer_ = 0;
    int bits_ = 0;
};

struct LzwEncodeOptions {
    bool leadingClear = true;
    // When the table is full: true sends a clear code and starts again; false keeps
    // encoding with the full table (a deferred clear that never comes).
    bool clearWhenFull = true;
    bool endCode = true;
};

// Encodes indices (each below 2^minimumCodeSize) in the given order.
std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices, int minimumCodeSize,
                                    const LzwEncodeOptions& options = {});
