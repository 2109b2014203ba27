#pragma once
// The fonts of the windows, made for a screen's density and released with the object.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "app/win32/WindowScale.h"

namespace win32 {

class WindowFonts {
  public:
    WindowFonts() = default;
    ~WindowFonts() { Clear(); }
    WindowFonts(const WindowFonts&) = delete;
    WindowFonts& operator=(const WindowFonts&) = delete;

    // The font `family` at `points`, bold or not, at the scale; made once and kept.
    HFONT Font(const std::wstring& family, double points, bool bold, const WindowScale& scale);
    // Releases every font made (after a change of density, when no window uses them).
    void Clear();

  private:
    std::map<std::tuple<std::wstring, int, bool, int>, HFONT> fonts_;
};

}  // namespace win32
