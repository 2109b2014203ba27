#pragma once
// Dib: a device-independent bitmap whose pixel memory is addressed directly (lpBits,
// BytesPerScanline, size), together with its own memory device context, so that the same
// pixels can be read and written byte by byte and also blitted, stretched and filled.
//
// Bitmaps made by Create are top-down: row r starts at lpBits + r x BytesPerScanline,
// with BytesPerScanline = ((Width x bpp + 31) / 32) x 4. Bitmaps of 8 bits a pixel or
// fewer have a colour table of 2^bpp entries of 4 bytes (blue, green, red, reserved);
// the palette arguments use that byte form.
//
// An object is empty (hDIB null) or holds a bitmap. Every operation but the creators,
// Destroy, CloneTo and Image does nothing in the empty state (results 0, outputs
// untouched). Failed platform calls give false or 0; arithmetic overflow of the sizes
// raises std::overflow_error; a missing file raises platform::FileNotFoundError.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Picture.h"
#include "platform/SystemColors.h"
#include "platform/gdi/Gdi.h"

namespace dib {

class Dib {
  public:
    using HDC = platform::gdi::HDC;
    using HBITMAP = platform::gdi::HBITMAP;

    // The most pixel memory one bitmap made by Create may take. A GIF file of a few bytes
    // can declare a 65535 x 65535 frame; without a limit such a header would make us ask
    // for gigabytes. Beyond it Create fails as a failed platform allocation does.
    static constexpr std::int64_t kMaxPixelBytes = std::int64_t{256} << 20;  // 256 MiB

    // The pixel memory a bitmap of |width| x |height| at bitCount bits a pixel takes, rows
    // padded as Create pads them; for budgets, before anything is made.
    static std::uint64_t PixelBytes(std::int32_t width, std::int32_t height, std::int32_t bitCount);

    Dib() = default;
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    // Makes a top-down bitmap of width x height at bitCount (1, 4, 8, 16, 24 or 32)
    // bits a pixel, pixels zeroed, colour table black. True when a bitmap now exists. With
    // an arena, the bitmap's memory is carved from it (for the many bitmaps of one image).
    bool Create(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                platform::gdi::PixelArena* arena = nullptr);
    // As Create, but the pixel bytes are left unset: for a caller that writes every byte of
    // every row, padding included, before anything reads them.
    bool CreateForOverwrite(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                            platform::gdi::PixelArena* arena = nullptr);
    // Copies a bitmap picture (icons, metafiles and empty pictures are refused). Returns
    // the source's bits a pixel, or 0 when nothing was copied.
    std::uint8_t CreateFromStdPicture(const platform::PicturePtr& picture,
                                      bool force32Bits = false);
    // Loads a bitmap file, rows in the file's order. Returns its bits a pixel, or 0 (an
    // empty file changes nothing).
    std::uint8_t CreateFromBitmapFile(const std::string& fileName);
    // Makes copy an independent copy of this bitmap.
    void CloneTo(Dib& copy) const;
    void Destroy();

    // Copies the rectangle at x, y of sourceDc to 0, 0 of this bitmap, converting each
    // pixel to this bitmap's format. A width or height below 1 means the whole bitmap.
    std::int32_t LoadBlt(HDC sourceDc, std::int32_t x, std::int32_t y, std::int32_t width = 0,
                         std::int32_t height = 0);
    // Stretches the source rectangle of this bitmap onto the destination rectangle of
    // destinationDc with a raster operation, in the given stretch mode (the destination's own
    // mode is put back afterwards). A source width or height below 1 means the whole.
    std::int32_t Stretch(HDC destinationDc, std::int32_t x, std::int32_t y, std::int32_t width,
                         std::int32_t height, std::int32_t sourceX = 0, std::int32_t sourceY = 0,
                         std::int32_t sourceWidth = 0, std::int32_t sourceHeight = 0,
                         std::uint32_t rasterOperation = platform::gdi::kSrcCopy,
                         std::int32_t stretchMode = platform::gdi::kColorOnColor) const;
    // Fills the whole bitmap with an OLE colour (system colours resolved); on an indexed
    // bitmap every pixel gets the nearest colour-table entry, the lowest on ties.
    void Cls(platform::OLE_COLOR colour = 0);

    // Writes byteCount / 4 colour-table entries from entry 0 (entries past the table are
    // ignored). Only for bitmaps of 8 bits a pixel or fewer.
    void SetPalette(const std::vector<std::uint8_t>& palette);
    void SetPalette(const std::uint8_t* palette, std::size_t byteCount);
    // Replaces palette by the 4 x 2^bpp bytes of the colour table. Only for bitmaps of 8
    // bits a pixel or fewer; otherwise palette is left as it is.
    void GetPalette(std::vector<std::uint8_t>& palette) const;

    // Fits the bitmap into a boxWidth x boxHeight box keeping its aspect ratio, centred: shrunk
    // when it does not fit, also enlarged when stretchToFit is true. Nothing is written
    // without a bitmap.
    void GetBestFitInfo(std::int32_t boxWidth, std::int32_t boxHeight, std::int32_t& fitX,
                        std::int32_t& fitY, std::int32_t& fitWidth, std::int32_t& fitHeight,
                        bool stretchToFit = false) const;

    HDC hDC() const { return dc_; }
    HBITMAP hDIB() const { return bitmap_; }
    std::uint8_t* lpBits() const { return bits_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t bpp() const { return bitCount_; }
    std::int32_t BytesPerScanline() const { return stride_; }
    std::int32_t size() const { return size_; }
    // The bitmap information header as the last Create wrote it (height negated).
    const platform::gdi::BITMAPINFOHEADER& InfoHeader() const { return header_; }

    // A new picture holding a copy of the pixels, in the screen's format.
    platform::PicturePtr Image() const;

  private:
    bool Create(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                platform::gdi::PixelStart start, platform::gdi::PixelArena* arena);
    // Stores the row stride and image size of the current width, height and depth.
    void ComputeSizes();

    // The memory device context lives in the object: a GIF animation makes two bitmaps a
    // frame, and allocating a context for each costs more than a small frame's pixels.
    // dc_ points at it while a bitmap is held.
    std::optional<platform::gdi::DeviceContext> context_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HBITMAP previousBitmap_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t bitCount_ = 0;
    std::int32_t stride_ = 0;
    std::int32_t size_ = 0;
    platform::gdi::BITMAPINFOHEADER header_;
};

}  // namespace dib
