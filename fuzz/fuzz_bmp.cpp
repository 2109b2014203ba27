// The bitmap file reader on arbitrary bytes, and the blits on whatever it accepts: headers
// may claim any size, depth, masks or colour count, and the file may end anywhere.

#include <cstdint>
#include <memory>

#include "platform/gdi/Blitter.h"
#include "platform/gdi/BmpFile.h"

using namespace platform::gdi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::unique_ptr<Bitmap> bitmap = DecodeBitmapFile(data, size);
    if (!bitmap) return 0;
    // Every pixel byte came from the file: a header cannot make us allocate more.
    if (bitmap->ByteSize() > size) __builtin_trap();

    // Draw it, stretched and clipped, into a colour and an indexed bitmap.
    std::unique_ptr<Bitmap> colour = Bitmap::Create(17, 9, 32, true);
    std::unique_ptr<Bitmap> indexed = Bitmap::Create(13, 7, 4, false);
    for (int i = 0; i < 16; ++i)
        indexed->ColorTable()[i] =
            RGBQUAD{static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(i * 5),
                    static_cast<std::uint8_t>(255 - i), 0};
    const BlitRect whole{0, 0, bitmap->Width(), bitmap->Height()};
    if (!StretchPixels(*colour, {-3, 2, 20, 9}, *bitmap, whole, kSrcCopy)) __builtin_trap();
    if (!StretchPixels(*indexed, {1, -1, 13, 7}, *bitmap, {1, 1, 5, 3}, kSrcPaint))
        __builtin_trap();
    if (!StretchPixels(*bitmap, whole, *indexed, {0, 0, 13, 7}, kSrcAnd)) __builtin_trap();
    return 0;
}
