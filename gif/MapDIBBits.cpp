#include "MapDIBBits.h"

#include "dib/cDIB.h"

PixelView MapDIBBits(const cDIB& dib) {
    PixelView view;
    if (dib.hDIB() == nullptr || dib.lpBits() == nullptr) return view;
    view.bits = dib.lpBits();
    view.bytesPerScanline = dib.BytesPerScanline();
    view.height = dib.Height();
    return view;
}
