#include "LzwTestStream.h"

#include <cstddef>
#include <map>
#include <utility>

LzwCodePacker::LzwCodePacker(int minimumCodeSize)
    : minimumCodeSize_(minimumCodeSize),
      clearCode_(1u << minimumCodeSize),
      width_(minimumCodeSize + 1),
      nextSlot_(clearCode_ + 2) {}

LzwCodePacker& LzwCodePacker::Clear() {
    Put(clearCode_, width_);
    width_ = minimumCodeSize_ + 1;
    nextSlot_ = clearCode_ + 2;
    afterClear_ = true;
    return *this;
}

LzwCodePacker& LzwCodePacker::End() {
    Put(clearCode_ + 1, width_);
    return *this;
}

LzwCodePacker& LzwCodePacker::Code(std::uint32_t code) {
    Put(code, width_);
    if (afterClear_)
        afterClear_ = false;
    else if (nextSlot_ < 4096)
        ++nextSlot_;
    if (nextSlot_ >= (1u << width_) && width_ < 12) ++width_;
    return *this;
}

LzwCodePacker& LzwCodePacker::Raw(std::uint32_t code, int width) {
    Put(code, width);
    return *this;
}

void LzwCodePacker::Put(std::uint32_t code, int width) {
    buffer_ |= static_cast<std::uint64_t>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
        bytes_.push_back(static_cast<std::uint8_t>(buffer_));
        buffer_ >>= 8;
        bits_ -= 8;
    }
}

std::vector<std::uint8_t> LzwCodePacker::Bytes() const {
    std::vector<std::uint8_t> out = bytes_;
    if (bits_ > 0) out.push_back(static_cast<std::uint8_t>(buffer_));
    return out;
}

std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices, int minimumCodeSize,
                                    const LzwEncodeOptions& options) {
    LzwCodePacker packer(minimumCodeSize);
    const std::uint32_t clear = 1u << minimumCodeSize;
    std::map<std::pair<std::uint32_t, std::uint8_t>, std::uint32_t> table;
    std::uint32_t next = clear + 2;
    if (options.leadingClear) packer.Clear();
    if (indices.empty()) {
        if (options.endCode) packer.End();
        return packer.Bytes();
    }
    std::uint32_t current = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const std::uint8_t pixel = indices[i];
        const auto found = table.find({current, pixel});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        packer.Code(current);
        if (next < 4096) {
            table[{current, pixel}] = next++;
        } else if (options.clearWhenFull) {
            packer.Clear();
            table.clear();
            next = clear + 2;
        }
        current = pixel;
    }
    packer.Code(current);
    if (options.endCode) packer.End();
    return packer.Bytes();
}
