#include "gif/mGIFLZWDec.h"

#include <memory>

#include "dib/Dib.h"
#include "gif/DibPixelView.h"
#include "gif/GifFrame.h"
#include "gif/LzwDecoder.h"

namespace mGIFLZWDec {

void DecodeLZW(GifFrame& frame, bool interlaced, uint8_t minimumCodeSize, const uint8_t* data,
               size_t size) {
    if (!frame.FrameDIBXOR || frame.FrameDIBXOR->bpp() != 8) return;
    const PixelView view = PixelViewOf(*frame.FrameDIBXOR);
    if (view.Empty()) return;
    // One decoder per thread, reused frame after frame: its tables (about 60 KB) are not
    // allocated per frame, and loads on different threads do not share state.
    thread_local std::unique_ptr<LzwDecoder> decoder;
    if (!decoder) decoder = std::make_unique<LzwDecoder>();
    decoder->Decode(view, frame.FrameDIBXOR->Width(), interlaced, minimumCodeSize, data, size);
}

}  // namespace mGIFLZWDec
