#include "gif/DibPixelView.h"

#include "dib/Dib.h"

namespace gif {

PixelView PixelViewOf(const dib::Dib& dib) {
    PixelView view;
    if (dib.hDIB() == nullptr || dib.lpBits() == nullptr) return view;
    view.bits = dib.lpBits();
    view.bytesPerScanline = dib.BytesPerScanline();
    view.height = dib.Height();
    return view;
}

}  // namespace gif
