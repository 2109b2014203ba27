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
    // One decoder per thread, reused frame after frame: its tables (about 60 KB) are not
    // allocated per frame, and loads on different threads do not share state.
    thread_local std::unique_ptr<LzwDecoder> decoder;
    if (!decoder) decoder = std::make_unique<LzwDecoder>();
    decoder->Decode(view, frame.FrameDIBXOR->Width(), interlaced, minimumCodeSize, data, size);
}

}  // namespace mGIFLZWDec
