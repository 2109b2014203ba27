// The LZW decoder alone on arbitrary data. The first bytes choose the minimum code size,
// the frame's width and height and its row order; the rest is the compressed data.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "gif/LzwDecoder.h"
#include "gif/PixelView.h"

namespace {

constexpr size_t kParameterBytes = 4;
constexpr std::uint8_t kGuard = 0xA5;  // fills the padding and the rows around the frame

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < kParameterBytes) return 0;
    const std::uint8_t minimumCodeSize = data[0] % 16;  // 12 to 15 are refused without output
    const std::int32_t width = 1 + data[1] % 200;
    const std::int32_t height = 1 + data[2] % 64;
    const bool interlaced = (data[3] & 1) != 0;
    const std::int32_t stride = (width + 3) / 4 * 4 + 8;

    // One guard row above and below the frame and a guard band right of each row: the
    // decoder must not write outside width x height.
    std::vector<std::uint8_t> memory(static_cast<size_t>(stride) * (height + 2), kGuard);
    gif::PixelView view;
    view.bits = memory.data() + stride;
    view.bytesPerScanline = stride;
    view.height = height;

    static auto decoder = std::make_unique<gif::LzwDecoder>();
    decoder->Decode(view, width, interlaced, minimumCodeSize, data + kParameterBytes,
                    size - kParameterBytes);

    for (std::int32_t x = 0; x < stride; ++x)
        if (memory[x] != kGuard || memory[memory.size() - 1 - x] != kGuard) __builtin_trap();
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = width; x < stride; ++x)
            if (view.Row(y)[x] != kGuard) __builtin_trap();
    // With a minimum code size of 2 every index stays below 4 (the roots); any other byte
    // in the frame came from somewhere else. Untouched pixels keep the guard.
    if (minimumCodeSize == 2) {
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                if (view.Row(y)[x] >= 4 && view.Row(y)[x] != kGuard) __builtin_trap();
    }
    return 0;
}
