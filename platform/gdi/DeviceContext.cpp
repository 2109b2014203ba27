#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Bitmap.h"

namespace platform::gdi {

DeviceContext::DeviceContext(Kind kind)
    : GdiObject(kind == Kind::Screen ? ObjectType::Dc : ObjectType::MemoryDc) {
    if (kind == Kind::Memory) bitmap_ = Bitmap::StockMonochrome();
}

DeviceContext::~DeviceContext() {
    // Deleting a context releases its bitmap but does not delete it: the owner does.
    if (bitmap_ != nullptr && !bitmap_->IsStock()) bitmap_->SetSelectedInto(nullptr);
}

Bitmap* DeviceContext::SelectBitmap(Bitmap* bitmap) {
    if (IsScreen() || bitmap == nullptr) return nullptr;
    if (bitmap == bitmap_) return bitmap_;
    if (!bitmap->IsStock() && bitmap->SelectedInto() != nullptr) return nullptr;
    Bitmap* previous = bitmap_;
    if (previous != nullptr && !previous->IsStock()) previous->SetSelectedInto(nullptr);
    bitmap_ = bitmap;
    if (!bitmap->IsStock()) bitmap->SetSelectedInto(this);
    return previous;
}

}  // namespace platform::gdi
