// The GIF reader on arbitrary bytes, then every frame it made drawn onto a small 32-bit
// bitmap, plainly and scaled, cropped to the screen. Headers may claim any size, tables and
// sub-block chains may run past the end, and the LZW data may be anything.

#include <cstdint>
#include <stdexcept>

#include "GifReader.h"
#include "cGIF.h"
#include "dib/cDIB.h"

namespace {

// Far below the reader's own budget, so that the fuzzer spends its time on the parser and
// not on clearing frames of hundreds of megabytes; the budget path is the same.
constexpr uint64_t kFuzzBitmapBudgetBytes = uint64_t{512} << 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cGIF gif;
    bool loaded = false;
    try {
        loaded = GifReader(gif, kFuzzBitmapBudgetBytes).Load(data, size);
    } catch (const std::out_of_range&) {
        // Only a stream that ends before its signature or version may throw.
        if (size != 0 && size != 3) __builtin_trap();
        return 0;
    }
    if (!loaded) return 0;
    if (size < 6) __builtin_trap();  // a header that is not there cannot be accepted

    cDIB canvas;
    if (!canvas.Create(24, 16, 32)) __builtin_trap();
    for (int16_t n = 1; n <= gif.FramesCount(); ++n) {
        // A frame whose bitmaps could not be made has nothing to draw; the drawing says so.
        if (!gif.FrameDIBXOR(n) || gif.FrameDIBXOR(n)->hDIB() == nullptr) continue;
        try {
            gif.FrameDraw(canvas.hDC(), n);
            gif.FrameDraw(canvas.hDC(), n, -5, 3, 0.37f, true);
            gif.FrameDraw(canvas.hDC(), n, 2, -1, 2.5f, false);
        } catch (const std::exception&) {
            // Positions and sizes outside the 16-bit range are refused with an error.
        }
    }
    return 0;
}
