#pragma once
// Small helpers for the graphics tests: a memory context with a bitmap of a given format,
// and pixel access by coordinates.

#include <cstdint>
#include <initializer_list>

#include "platform/gdi/Gdi.h"

namespace gditest {

using namespace platform::gdi;

// A memory device context holding a new DIB section; both released at the end.
class TestDib {
  public:
    TestDib(std::int32_t width, std::int32_t height, int bitCount, bool topDown = true) {
        BITMAPINFOHEADER header;
        header.biSize = 40;
        header.biWidth = width;
        header.biHeight = topDown ? -height : height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<std::uint16_t>(bitCount);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, header, nullptr, &bits_);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~TestDib() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TestDib(const TestDib&) = delete;
    TestDib& operator=(const TestDib&) = delete;

    HDC dc() const { return dc_; }
    Bitmap& bitmap() const { return *bitmap_; }
    std::uint8_t* bits() const { return bits_; }

    void SetColors(std::initializer_list<std::uint32_t> rgb32) {
        std::uint32_t i = 0;
        for (std::uint32_t c : rgb32) {
            RGBQUAD q{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                      static_cast<std::uint8_t>(c >> 16), 0};
            SetDIBColorTable(dc_, i++, 1, &q);
        }
    }

    // The stored value of pixel x, y (an index, a packed word, or 0x00RRGGBB for 24 bits).
    std::uint32_t Get(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* row = bitmap_->Row(y);
        switch (bitmap_->BitCount()) {
            case 1:
                return (row[x / 8] >> (7 - x % 8)) & 1u;
            case 4:
                return (x % 2 ? row[x / 2] : row[x / 2] >> 4) & 0xFu;
            case 8:
                return row[x];
            case 16:
                return row[2 * x] | (row[2 * x + 1] << 8);
            case 24:
                return row[3 * x] | (row[3 * x + 1] << 8) | (std::uint32_t{row[3 * x + 2]} << 16);
            default:
                return row[4 * x] | (row[4 * x + 1] << 8) | (std::uint32_t{row[4 * x + 2]} << 16) |
                       (std::uint32_t{row[4 * x + 3]} << 24);
        }
    }
    void Set(std::int32_t x, std::int32_t y, std::uint32_t v) {
        std::uint8_t* row = bitmap_->Row(y);
        switch (bitmap_->BitCount()) {
            case 1:
                row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~(0x80 >> x % 8)) |
                                                       ((v & 1) ? (0x80 >> x % 8) : 0));
                break;
            case 4:
                row[x / 2] =
                    static_cast<std::uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | (v & 0xF)
                                                    : (row[x / 2] & 0x0F) | ((v & 0xF) << 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            case 16:
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            case 24:
                for (int i = 0; i < 3; ++i)
                    row[3 * x + i] = static_cast<std::uint8_t>(v >> (8 * i));
                break;
            default:
                for (int i = 0; i < 4; ++i)
                    row[4 * x + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    void FillWith(std::uint32_t v) {
        for (std::int32_t y = 0; y < bitmap_->Height(); ++y)
            for (std::int32_t x = 0; x < bitmap_->Width(); ++x)
                Set(x, y, v);
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HBITMAP old_ = nullptr;
    std::uint8_t* bits_ = nullptr;
};

}  // namespace gditest
