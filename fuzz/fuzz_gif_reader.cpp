// The GIF reader on arbitrary bytes, then every frame drawn and masked again: sizes,
// positions, colour tables, code sizes and LZW data may hold anything, and the stream may
// end anywhere.

#include <cstdint>
#include <stdexcept>

#include "GifReader.h"
#include "cGIF.h"

namespace {

// A smaller pixel budget than a real load's keeps each run quick; the limit itself is
// what is being exercised.
constexpr uint64_t kBudget = uint64_t{4} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cGIF gif;
    bool loaded = false;
    try {
        loaded = GifReader(gif, kBudget).Load(data, size);
    } catch (const std::out_of_range&) {
        // Streams too short for the header are the caller's error, by design.
        if (size > 3) __builtin_trap();
        return 0;
    }
    if (!loaded) {
        if (gif.FramesCount() != 0) __builtin_trap();
        return 0;
    }
    cDIB canvas;
    canvas.Create(23, 17, 32);
    for (int16_t n = 1; n <= gif.FramesCount(); ++n) {
        const auto colour = gif.FrameDIBXOR(n);
        const auto mask = gif.FrameDIBAND(n);
        if (!colour || !mask) __builtin_trap();  // every counted frame has its bitmaps
        if (colour->hDIB() != nullptr && (colour->Width() != mask->Width() ||
                                          colour->Height() != mask->Height()))
            __builtin_trap();
        try {
            gif.FrameDraw(canvas.hDC(), n, -2, 3, 0.75f, true);
            gif.FrameDraw(canvas.hDC(), n);
            gif.FrameMask(n, static_cast<uint8_t>(n * 37));
        } catch (const std::overflow_error&) {
            // Positions scaled beyond the 16-bit range: reported, nothing drawn.
        }
    }
    return 0;
}
