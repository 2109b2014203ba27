#include "app/win32/WindowFonts.h"

namespace win32 {

HFONT WindowFonts::Font(const std::wstring& family, double points, bool bold,
                        const WindowScale& scale) {
    const int height = scale.FontHeight(points);
    const auto key = std::make_tuple(family, height, bold, scale.Dpi());
    const auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family.c_str());
    fonts_.emplace(key, font);
    return font;
}

void WindowFonts::Clear() {
    for (const auto& entry : fonts_) DeleteObject(entry.second);
    fonts_.clear();
}

}  // namespace win32
