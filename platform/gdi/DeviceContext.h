#pragma once
// A device context: the bitmap it draws into and its stretch mode. Memory contexts start
// with the stock 1 x 1 monochrome bitmap; the screen context has no pixels of its own.

#include "platform/gdi/GdiObject.h"

namespace platform::gdi {

class Bitmap;

class DeviceContext final : public GdiObject {
  public:
    enum class Kind { Memory, Screen };
    explicit DeviceContext(Kind kind);
    ~DeviceContext() override;

    bool IsScreen() const { return Type() == ObjectType::Dc; }

    // The bitmap drawn into; null for the screen.
    Bitmap* SelectedBitmap() const { return bitmap_; }
    // Puts a bitmap in and returns the one it replaces, or null when the bitmap is
    // selected into another context already (it stays where it is).
    Bitmap* SelectBitmap(Bitmap* bitmap);

    int StretchMode() const { return stretchMode_; }
    void SetStretchMode(int mode) { stretchMode_ = mode; }

  private:
    Bitmap* bitmap_ = nullptr;
    int stretchMode_ = 1;  // black on white, the platform's initial mode
};

}  // namespace platform::gdi
