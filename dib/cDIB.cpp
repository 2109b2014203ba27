#include "cDIB.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "platform/Errors.h"
#include "platform/gdi/BmpFile.h"

namespace gdi = platform::gdi;

namespace {

constexpr std::int64_t kLargestRowBits = 2147483616;  // adding 31 would leave 32 bits

bool IsIndexed(std::int32_t bpp) {
    return bpp >= 1 && bpp <= 8;
}

// Converts a computed size to 32 bits, halves to even as the platform's rounding does.
std::int32_t RoundToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error("Overflow");
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

cDIB::~cDIB() {
    Destroy();
}

void cDIB::ComputeSizes() {
    const std::int64_t rowBits = std::int64_t{m_Width} * m_bpp;
    if (rowBits > kLargestRowBits || rowBits < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("Overflow");
    // Truncating division, as the platform's integer division (toward zero).
    const std::int32_t stride = static_cast<std::int32_t>((rowBits + 31) / 32 * 4);
    const std::int64_t bytes = std::int64_t{stride} * m_Height;
    if (bytes > std::numeric_limits<std::int32_t>::max() ||
        bytes < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("Overflow");
    m_BytesPerScanline = stride;
    m_size = static_cast<std::int32_t>(bytes);
}

bool cDIB::Create(std::int32_t NewWidth, std::int32_t NewHeight, std::int32_t Newbpp) {
    Destroy();

    m_Header = gdi::BITMAPINFOHEADER{};
    m_Header.biSize = 40;
    m_Header.biWidth = NewWidth;
    m_Header.biHeight =
        NewHeight == std::numeric_limits<std::int32_t>::min() ? NewHeight : -NewHeight;
    m_Header.biPlanes = 1;
    m_Header.biBitCount = static_cast<std::uint16_t>(Newbpp);

    m_Width = NewWidth;
    m_Height = NewHeight;
    m_bpp = Newbpp;
    ComputeSizes();

    m_hDC = gdi::CreateCompatibleDC(nullptr);
    if (m_hDC == nullptr) return false;

    // A height of 0 or less would describe no rows, or (negated) a bottom-up bitmap
    // whose size comes out negative; the limit keeps hostile sizes from exhausting
    // memory. All three fail as a failed allocation does.
    const bool sane = NewWidth > 0 && NewHeight > 0 && gdi::Bitmap::IsSupportedBitCount(Newbpp) &&
                      m_size <= kMaxPixelBytes;
    std::uint8_t* bits = nullptr;
    HBITMAP bitmap = sane ? gdi::CreateDIBSection(m_hDC, m_Header, nullptr, &bits) : nullptr;
    if (bitmap == nullptr) {
        Destroy();
        return false;
    }
    m_hDIB = bitmap;
    m_lpBits = bits;
    m_hOldBitmap = gdi::SelectObject(m_hDC, m_hDIB);
    return m_hDIB != nullptr;
}

std::uint8_t cDIB::CreateFromStdPicture(const platform::PicturePtr& Image, bool Force32bpp) {
    if (!Image || gdi::GetObjectType(Image->Handle()) != gdi::ObjectType::Bitmap) return 0;
    HBITMAP source = Image->Handle();
    gdi::BITMAP description;
    gdi::GetObject(source, &description);
    const std::int32_t sourceBpp = description.bmBitsPixel;

    if (!Create(description.bmWidth, description.bmHeight, Force32bpp ? 32 : sourceBpp)) return 0;

    HDC sourceDC = gdi::CreateCompatibleDC(m_hDC);
    if (sourceDC == nullptr) return 0;
    HBITMAP previous = gdi::SelectObject(sourceDC, source);
    if (previous == nullptr) {  // the picture's bitmap is in use elsewhere
        gdi::DeleteDC(sourceDC);
        return 0;
    }
    if (IsIndexed(sourceBpp) && !Force32bpp) {
        const std::uint32_t entries = 1u << sourceBpp;
        std::vector<gdi::RGBQUAD> table(entries);
        gdi::GetDIBColorTable(sourceDC, 0, entries, table.data());
        gdi::SetDIBColorTable(m_hDC, 0, entries, table.data());
    }
    gdi::BitBlt(m_hDC, 0, 0, description.bmWidth, description.bmHeight, sourceDC, 0, 0,
                gdi::kSrcCopy);
    gdi::SelectObject(sourceDC, previous);
    gdi::DeleteDC(sourceDC);
    return static_cast<std::uint8_t>(sourceBpp);
}

std::uint8_t cDIB::CreateFromBitmapFile(const std::string& FileName) {
    std::error_code error;
    const std::filesystem::path path(FileName);
    if (!std::filesystem::exists(path, error)) throw platform::FileNotFoundError(FileName);
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    if (error) return 0;  // a folder or an unreadable entry: nothing to load
    if (length == 0) return 0;

    Destroy();
    m_hDC = gdi::CreateCompatibleDC(nullptr);
    if (m_hDC == nullptr) return 0;
    HBITMAP loaded = gdi::LoadBitmapFile(FileName);
    if (loaded == nullptr) {
        Destroy();
        return 0;
    }
    m_hDIB = loaded;
    m_hOldBitmap = gdi::SelectObject(m_hDC, m_hDIB);

    gdi::BITMAP description;
    gdi::GetObject(m_hDIB, &description);
    m_Width = description.bmWidth;
    m_Height = description.bmHeight;
    m_bpp = description.bmBitsPixel;
    m_lpBits = static_cast<std::uint8_t*>(description.bmBits);
    ComputeSizes();
    return static_cast<std::uint8_t>(m_bpp);
}

void cDIB::CloneTo(cDIB& oDIB) const {
    // Cloning onto itself would destroy the pixels before copying them.
    if (&oDIB == this) return;
    oDIB.Create(m_Width, m_Height, m_bpp);
    if (IsIndexed(m_bpp)) {
        std::vector<std::uint8_t> palette;
        GetPalette(palette);
        oDIB.SetPalette(palette);
    }
    if (oDIB.m_hDIB == nullptr || m_hDIB == nullptr) return;
    if (m_hDIB->TopDown()) {
        std::memcpy(oDIB.m_lpBits, m_lpBits, static_cast<std::size_t>(m_size));
    } else {
        // A bitmap loaded from a file lies bottom-up; the clone is top-down and shows
        // the same picture, so its rows go in the other order.
        for (std::int32_t y = 0; y < m_Height; ++y)
            std::memcpy(oDIB.m_hDIB->Row(y), m_hDIB->Row(y),
                        static_cast<std::size_t>(m_BytesPerScanline));
    }
}

void cDIB::Destroy() {
    if (m_hDC != nullptr) {
        if (m_hDIB != nullptr) {
            gdi::SelectObject(m_hDC, m_hOldBitmap);
            gdi::DeleteObject(m_hDIB);
        }
        gdi::DeleteDC(m_hDC);
    }
    m_hDC = nullptr;
    m_hDIB = nullptr;
    m_hOldBitmap = nullptr;
    m_lpBits = nullptr;
    m_Width = 0;
    m_Height = 0;
    m_bpp = 0;
    m_BytesPerScanline = 0;
    m_size = 0;
}

std::int32_t cDIB::LoadBlt(HDC hSrcDC, std::int32_t x, std::int32_t y, std::int32_t nWidth,
                           std::int32_t nHeight) {
    if (m_hDIB == nullptr) return 0;
    if (nWidth < 1) nWidth = m_Width;
    if (nHeight < 1) nHeight = m_Height;
    return gdi::BitBlt(m_hDC, 0, 0, nWidth, nHeight, hSrcDC, x, y, gdi::kSrcCopy);
}

std::int32_t cDIB::Stretch(HDC hDstDC, std::int32_t x, std::int32_t y, std::int32_t nWidth,
                           std::int32_t nHeight, std::int32_t xSrc, std::int32_t ySrc,
                           std::int32_t nSrcWidth, std::int32_t nSrcHeight, std::uint32_t lROP,
                           std::int32_t StretchMode) const {
    if (m_hDIB == nullptr) return 0;
    if (nSrcWidth < 1) nSrcWidth = m_Width;
    if (nSrcHeight < 1) nSrcHeight = m_Height;
    const int previousMode = gdi::GetStretchBltMode(hDstDC);
    gdi::SetStretchBltMode(hDstDC, StretchMode);
    const int result = gdi::StretchBlt(hDstDC, x, y, nWidth, nHeight, m_hDC, xSrc, ySrc, nSrcWidth,
                                       nSrcHeight, lROP);
    gdi::SetStretchBltMode(hDstDC, previousMode);
    return result;
}

void cDIB::Cls(platform::OLE_COLOR BackColor) {
    if (m_hDIB == nullptr) return;
    // An OLE colour that does not translate paints black, the value the colour starts at.
    gdi::COLORREF color = 0;
    platform::OleTranslateColor(BackColor, &color);
    gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
    gdi::RECT rect;
    gdi::SetRect(&rect, 0, 0, m_Width, m_Height);
    gdi::FillRect(m_hDC, &rect, brush);
    gdi::DeleteObject(brush);
}

void cDIB::SetPalette(const std::vector<std::uint8_t>& palette) {
    SetPalette(palette.data(), palette.size());
}

void cDIB::SetPalette(const std::uint8_t* palette, std::size_t byteCount) {
    if (m_hDIB == nullptr || !IsIndexed(m_bpp) || palette == nullptr) return;
    const std::size_t entries = byteCount / 4;
    if (entries == 0) return;
    std::vector<gdi::RGBQUAD> table(entries);
    std::memcpy(table.data(), palette, entries * 4);
    gdi::SetDIBColorTable(m_hDC, 0, static_cast<std::uint32_t>(std::min<std::size_t>(entries, 256)),
                          table.data());
}

void cDIB::GetPalette(std::vector<std::uint8_t>& palette) const {
    if (m_hDIB == nullptr || !IsIndexed(m_bpp)) return;
    const std::uint32_t entries = 1u << m_bpp;
    std::vector<gdi::RGBQUAD> table(entries);
    gdi::GetDIBColorTable(m_hDC, 0, entries, table.data());
    palette.assign(4 * static_cast<std::size_t>(entries), 0);
    std::memcpy(palette.data(), table.data(), palette.size());
}

void cDIB::GetBestFitInfo(std::int32_t DstW, std::int32_t DstH, std::int32_t& bfx,
                          std::int32_t& bfy, std::int32_t& bfW, std::int32_t& bfH,
                          bool StretchFit) const {
    if (m_hDIB == nullptr) return;
    std::int32_t width = m_Width;
    std::int32_t height = m_Height;
    if (m_Width > DstW || m_Height > DstH || StretchFit) {
        // The ratios are kept in single precision, so the products see their rounding.
        const float rW = static_cast<float>(static_cast<double>(DstW) / m_Width);
        const float rH = static_cast<float>(static_cast<double>(DstH) / m_Height);
        if (rW < rH) {
            width = DstW;
            height = RoundToInt32(static_cast<double>(rW) * m_Height);
        } else {
            height = DstH;
            width = RoundToInt32(static_cast<double>(rH) * m_Width);
        }
    }
    const std::int64_t x = (std::int64_t{DstW} - width) / 2;
    const std::int64_t y = (std::int64_t{DstH} - height) / 2;
    if (x < std::numeric_limits<std::int32_t>::min() ||
        x > std::numeric_limits<std::int32_t>::max() ||
        y < std::numeric_limits<std::int32_t>::min() ||
        y > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("Overflow");
    bfW = width;
    bfH = height;
    bfx = static_cast<std::int32_t>(x);
    bfy = static_cast<std::int32_t>(y);
}

platform::PicturePtr cDIB::Image() const {
    HDC screen = gdi::GetDC(nullptr);
    HDC memory = gdi::CreateCompatibleDC(screen);
    HBITMAP bitmap = gdi::CreateCompatibleBitmap(screen, m_Width, m_Height);
    HBITMAP previous = gdi::SelectObject(memory, bitmap);
    gdi::ReleaseDC(nullptr, screen);
    Stretch(memory, 0, 0, m_Width, m_Height, 0, 0, 0, 0, gdi::kSrcCopy, gdi::kColorOnColor);
    gdi::SelectObject(memory, previous);
    gdi::DeleteDC(memory);
    return platform::Picture::FromBitmap(bitmap);
}
