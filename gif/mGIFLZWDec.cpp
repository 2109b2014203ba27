#include "mGIFLZWDec.h"

#include <memory>

#include "GIFFrame.h"
#include "LzwDecoder.h"
#include "MapDIBBits.h"
#include "dib/cDIB.h"

namespace mGIFLZWDec {

void DecodeLZW(GIFFrame& frame, bool interlaced, uint8_t minimumCodeSize, const uint8_t* data,
               size_t size) {
    if (!frame.FrameDIBXOR || frame.FrameDIBXOR->bpp() != 8) return;
    const PixelView view = MapDIBBits(*frame.FrameDIBXOR);
    if (view.Empty()) return;
    // The decoder's tables are about 60 KB; a heap object keeps deep call stacks safe.
    auto decoder = std::make_unique<LzwDecoder>();
    decoder->Decode(view, frame.FrameDIBXOR->Width(), interlaced, minimumCodeSize, data, size);
}

}  // namespace mGIFLZWDec
