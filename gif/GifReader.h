#pragma once
// Reads a GIF87a or GIF89a byte stream into a GifModel, block by block.
//
// Strict about the 6-byte header, lenient after it: a step that cannot be completed is
// skipped and the scan goes on by fixed amounts, so a damaged or truncated stream loads
// whatever can be read. Each frame's data is decoded into its colour bitmap straight from
// its sub-blocks, and its mask built, as soon as its block is reached.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gif/GifModel.h"
#include "gif/LzwDecoder.h"
#include "platform/gdi/PixelArena.h"

namespace gif {

// Why a stream was or was not loaded. Only the header can refuse a stream: once it is
// accepted, the load succeeds and damage costs only what cannot be read.
enum class GifLoadStatus {
    Loaded,
    Unreadable,      // a file that is missing, a folder, or cannot be read (loads from files)
    EmptyStream,     // no bytes at all
    NotAGif,         // the first bytes are not "GIF"
    CutInHeader,     // the stream ends inside the 6-byte header, which is right so far
    UnknownVersion,  // the version is neither "87a" nor "89a"
    TooLarge,        // a file larger than the load's limit (GifLoadLimits::inputBytes)
};

// A short English description of a status, for messages.
const char* Describe(GifLoadStatus status);

// What one load may take, so that a small hostile file cannot make the program allocate and
// touch gigabytes, and a caller that loads something small (a banner) can ask for less.
struct GifLoadLimits {
    // All frame bitmaps of one load together may take at most this much pixel memory;
    // frames past it get empty bitmaps, and the load is reported incomplete.
    std::uint64_t frameBitmapBytes = std::uint64_t{1} << 30;
    // Images past this many are passed over, and the load is reported incomplete.
    FrameNumber frames = kMostFrames;
    // The largest stream a caller should hand over: GifImage::LoadFromFile refuses a larger
    // file without reading it, and a reader of standard input stops there.
    std::uint64_t inputBytes = std::uint64_t{1} << 30;
};

class GifReader {
  public:
    static constexpr std::uint64_t kFrameBitmapBudgetBytes = GifLoadLimits{}.frameBitmapBytes;

    explicit GifReader(std::uint64_t bitmapBudgetBytes = kFrameBitmapBudgetBytes);
    explicit GifReader(const GifLoadLimits& limits);
    ~GifReader();
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;

    // Clears the model, then fills it from the stream. The model keeps the header bytes
    // that were there whatever the result.
    GifLoadStatus Read(const std::uint8_t* stream, size_t size, GifModel& model);
    // What the latest load met that a complete stream does not have, or lost: the first
    // thing wrong and where, as "the stream ends inside frame 3's image data", "frame 2's
    // image data ends after 100 of its 400 pixels" or "frame 4 (40000 x 1) has no bitmap:
    // wider than 32767 pixels"; empty for a complete stream and for one refused.
    const std::string& Damage() const { return damage_; }

  private:
    GifLoadStatus ReadHeader();
    void ReadScreen();
    void ReadExtension();
    void ReadGraphicControl();
    void ReadApplication();
    void ReadImage();
    // Frame record `number` (from 1), made (zeroed) along with any before it.
    GifFrame& FrameRecord(size_t number);
    static constexpr size_t kFirstAnimationRecords = 16;
    void MeasureFrames();
    // Why a frame of the stored size gets no bitmaps, given what the load's bitmaps took so
    // far; null when it gets them.
    const char* NoBitmapReason(std::uint16_t width, std::uint16_t height,
                               std::uint64_t bitmapBytes) const;
    // Makes the frame's bitmaps at its stored size; null, or why it has none. `zeroed` says
    // whether the colour bitmap's memory starts all zeros.
    const char* CreateBitmaps(GifFrame& frame, bool& zeroed);
    // How many pixels the frame's data filled; nothing when it has no bitmap to decode into.
    // `zeroed` says whether the colour bitmap's memory started all zeros.
    std::optional<std::uint64_t> DecodeFrame(GifFrame& frame, std::uint8_t minimumCodeSize,
                                             LzwDecoder::Input& data, bool zeroed);
    // What reading the image whose data starts at `dataAt` gave, for the damage report.
    void NoteImage(std::int64_t dataAt, std::optional<std::uint64_t> decoded,
                   const char* noBitmap);
    void FindDamage();

    // Reads n table entries of 3 bytes (red, green, blue) into the palette; entries the
    // stream does not reach stay black. Advances past the whole table.
    void ReadColourTable(GifPalette& palette, int entries);
    // Copies n bytes at the position into dst and advances by n; bytes past the end of the
    // stream read as 0.
    void ReadRecord(std::uint8_t* dst, size_t n);
    bool InStream(std::int64_t position) const {
        return position >= 0 && static_cast<std::uint64_t>(position) < size_;
    }

    GifLoadLimits limits_;
    GifModel* model_ = nullptr;
    const std::uint8_t* data_ = nullptr;
    size_t size_ = 0;
    std::int64_t position_ = 0;
    FrameNumber frameCounter_ = 0;
    std::uint64_t bitmapBytes_ = 0;  // pixel memory of the frame bitmaps made so far
    // Mask rows written for pixels that no data reached (see DecodeFrame).
    static constexpr std::uint64_t kMostUnreachedMaskBytes = std::uint64_t{16} << 20;
    std::uint64_t unreachedMaskBytes_ = 0;

    // The frame bitmaps of one load are carved from a few blocks: colour bitmaps and the
    // masks that will be written from blocks with large pages, sized with the help of
    // expectedBytes_ (what the frames still to come should need); the other masks, zero
    // throughout, from blocks of small pages.
    platform::gdi::PixelArena arena_;
    platform::gdi::PixelArena maskArena_{false};
    std::uint64_t expectedBytes_ = 0;
    size_t expectedImages_ = 0;  // the image separators MeasureFrames passed

    // The images before the first block that is not whole, in stream order: where each
    // one's data starts (its minimum code size byte), its size, how many pixels its data
    // filled once that is known, and why it got no bitmap if it got none.
    struct WholeImage {
        std::int64_t dataAt;
        std::uint16_t width;
        std::uint16_t height;
        std::uint64_t decoded;
        bool counted;
        const char* noBitmap;
    };
    std::vector<WholeImage> wholeImages_;
    size_t nextWholeImage_ = 0;
    std::string blockDamage_;  // the first block that is not whole, if any
    std::string damage_;
};

}  // namespace gif
