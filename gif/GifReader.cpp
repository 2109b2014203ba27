#include "gif/GifReader.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "dib/Dib.h"
#include "gif/DibPixelView.h"
#include "gif/FrameMask.h"
#include "gif/GifFormat.h"
#include "gif/LzwDecoder.h"
#include "gif/RowOrder.h"
#include "gif/SubBlockInput.h"
#include "platform/LargeBlock.h"

namespace gif {

namespace {

using namespace gif;

// File fields are little-endian. The model keeps most 16-bit ones signed, as stored.
std::uint16_t Uint16At(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::int16_t Int16At(const std::uint8_t* bytes) {
    return static_cast<std::int16_t>(Uint16At(bytes));
}

// A graphic control block's fields. They are the first sub-block of the block's chain, 4
// bytes in a well-formed file; a longer one is read for its first 4 and a shorter one holds
// nothing usable. Both passes over a stream take the block from here, so that they agree.
struct GraphicControl {
    std::uint8_t flags;
    std::int16_t delay;
    std::uint8_t transparentIndex;
};

std::optional<GraphicControl> GraphicControlAt(const std::uint8_t* stream, size_t size,
                                               std::int64_t at) {
    constexpr std::int64_t kFields = 4;
    if (at < 0 || static_cast<std::uint64_t>(at + kFields) >= size || stream[at] < kFields)
        return std::nullopt;
    return GraphicControl{stream[at + 1], Int16At(stream + at + 2), stream[at + 4]};
}

// The bytes of a local colour table described by an image's flags; 0 without one.
std::int64_t LocalTableBytes(std::uint8_t flags) {
    if (BitField(flags, kLocalTablePresent) == 0) return 0;
    return static_cast<std::int64_t>(kColourTableEntrySize) << (BitField(flags, kTableSize) + 1);
}

// Whether `text` is `expected` or the beginning of it.
bool BeginsLike(const char* expected, const std::string& text) {
    return std::string(expected).compare(0, text.size(), text) == 0;
}

// Clears a row's padding (rows are padded to whole 4-byte words, so at most 3 bytes a row;
// small frames have many rows, and a call to clear each row's few bytes would cost more
// than the stores).
inline void ZeroPadding(std::uint8_t* row, std::int32_t width, std::int32_t stride) {
    const std::int32_t padding = stride - width;
    if (padding <= 0) return;
    std::uint8_t* const end = row + stride;
    if (padding > 3) {
        std::memset(end - padding, 0, static_cast<size_t>(padding));
        return;
    }
    end[-1] = 0;
    if (padding > 1) end[-2] = 0;
    if (padding > 2) end[-3] = 0;
}

// A frame's colour bitmap is made without zeroing, as the decoder overwrites it whole nearly
// always. Memory that started all zeros (new to the process) holds zeros wherever the
// decoder did not write. Other memory (of an earlier load, or the C library's) gets the
// rows' padding and what the decoder did not reach cleared here; a large remainder has its
// pages handed back to the system, so that a frame whose data falls short costs what its
// data made, whatever size it claims.
void ZeroUndecoded(const PixelView& view, std::int32_t width, bool interlaced,
                   std::uint64_t decoded, bool zeroed) {
    if (zeroed) return;
    const std::int32_t stride = view.bytesPerScanline;
    const std::uint64_t complete = decoded / static_cast<std::uint64_t>(width);
    RowOrder rows(view.height, interlaced);
    for (std::uint64_t row = 0; row < complete && !rows.Done(); ++row, rows.Advance())
        ZeroPadding(view.Row(rows.Row()), width, stride);
    if (rows.Done()) return;
    const auto column = static_cast<std::int32_t>(decoded % static_cast<std::uint64_t>(width));
    if (!interlaced) {
        std::uint8_t* const from = view.Row(rows.Row()) + column;
        platform::ZeroBlockRange(from, static_cast<size_t>(view.Row(view.height - 1) + stride - from));
        return;
    }
    std::memset(view.Row(rows.Row()) + column, 0, static_cast<size_t>(stride - column));
    for (rows.Advance(); !rows.Done(); rows.Advance())
        platform::ZeroBlockRange(view.Row(rows.Row()), static_cast<size_t>(stride));
}

// How many rows from the top hold what the decoder wrote: its first `decoded` pixels fill
// rows in stream order, which for an interlaced frame spread over the whole frame early.
std::int32_t RowsReached(std::int32_t width, std::int32_t height, bool interlaced,
                         std::uint64_t decoded) {
    const std::uint64_t written =
        (decoded + static_cast<std::uint64_t>(width) - 1) / static_cast<std::uint64_t>(width);
    if (written >= static_cast<std::uint64_t>(height)) return height;
    if (!interlaced) return static_cast<std::int32_t>(written);
    std::int32_t lowest = -1;
    RowOrder rows(height, true);
    for (std::uint64_t row = 0; row < written; ++row, rows.Advance())
        lowest = std::max(lowest, rows.Row());
    return lowest + 1;
}

}  // namespace

namespace {

// The decoder's tables and input (about 120 KB) lie in the program's zeroed data and serve
// one frame's decoding at a time, of every load: a small file's load allocates nothing for
// them, sets nothing up for a thread, and touches only the pages it uses (each of them a
// fault the first time). A frame decoded on another thread meanwhile gets a decoder of its
// own.
alignas(LzwDecoder) unsigned char sharedDecoderMemory[sizeof(LzwDecoder)];
std::atomic<bool> sharedDecoderTaken{false};
bool sharedDecoderMade = false;  // read and written only by the decoder's holder

class DecoderLease {
  public:
    DecoderLease() {
        if (sharedDecoderTaken.exchange(true, std::memory_order_acquire)) {
            own_ = std::make_unique<LzwDecoder>();
            decoder_ = own_.get();
            return;
        }
        if (!sharedDecoderMade) {
            new (sharedDecoderMemory) LzwDecoder(LzwDecoder::InZeroedMemory{});
            sharedDecoderMade = true;
        }
        decoder_ = std::launder(reinterpret_cast<LzwDecoder*>(sharedDecoderMemory));
    }
    ~DecoderLease() {
        if (!own_) sharedDecoderTaken.store(false, std::memory_order_release);
    }
    DecoderLease(const DecoderLease&) = delete;
    DecoderLease& operator=(const DecoderLease&) = delete;

    LzwDecoder* operator->() const { return decoder_; }

  private:
    LzwDecoder* decoder_ = nullptr;
    std::unique_ptr<LzwDecoder> own_;
};

}  // namespace

const char* Describe(GifLoadStatus status) {
    switch (status) {
        case GifLoadStatus::Loaded:
            return "loaded";
        case GifLoadStatus::Unreadable:
            return "missing or unreadable";
        case GifLoadStatus::EmptyStream:
            return "empty";
        case GifLoadStatus::NotAGif:
            return "not a GIF";
        case GifLoadStatus::CutInHeader:
            return "cut short inside the GIF header";
        case GifLoadStatus::UnknownVersion:
            return "a GIF version other than 87a and 89a";
        case GifLoadStatus::TooLarge:
            return "larger than a load may read";
    }
    return "unknown status";
}

GifReader::GifReader(std::uint64_t bitmapBudgetBytes) {
    limits_.frameBitmapBytes = bitmapBudgetBytes;
}

GifReader::GifReader(const GifLoadLimits& limits) : limits_(limits) {
    limits_.frames = std::clamp(limits_.frames, FrameNumber{0}, kMostFrames);
}

GifReader::~GifReader() = default;

GifLoadStatus GifReader::Read(const std::uint8_t* stream, size_t size, GifModel& model) {
    model_ = &model;
    data_ = stream;
    size_ = stream ? size : 0;
    position_ = 0;
    frameCounter_ = 0;
    bitmapBytes_ = 0;
    unreachedMaskBytes_ = 0;
    damage_.clear();
    model.Clear();
    // Blocks that the model's earlier pixels freed wait for this load; what it does not
    // take back is given to the system when it ends.
    const platform::LargeBlockLoad load;

    const GifLoadStatus header = ReadHeader();
    if (header != GifLoadStatus::Loaded) return header;
    ReadScreen();
    MeasureFrames();
    // Every record at once: an animation's records, grown by doubling, would each be moved
    // several times into memory new to the process.
    if (expectedImages_ > 1)
        model.frames.reserve(
            std::min<size_t>(expectedImages_, static_cast<size_t>(limits_.frames)) + 1);

    while (InStream(position_)) {
        const std::uint8_t block = data_[position_];
        if (block == kTrailer) break;
        try {
            if (block == kExtensionIntroducer) {
                ++position_;
                ReadExtension();
            } else if (block == kImageSeparator) {
                ++position_;
                ReadImage();
            }
        } catch (const std::exception&) {
            // A step that cannot be completed (no memory for a frame, a bitmap operation
            // that fails) is dropped; the scan goes on from where it stands.
        }
        // Any other byte in block position is passed over, one byte at a time. The step
        // also passes over the terminator each block reader stops on.
        ++position_;
    }
    model.frameCount = frameCounter_;
    FindDamage();
    return GifLoadStatus::Loaded;
}

// Exactly "GIF" then "87a" or "89a". A stream too short for the header is refused without
// reading past its end.
GifLoadStatus GifReader::ReadHeader() {
    GifModel& model = *model_;
    if (size_ == 0) return GifLoadStatus::EmptyStream;
    const char* text = reinterpret_cast<const char*>(data_);
    model.signature.assign(text, std::min(size_, kSignatureSize));
    if (model.signature != kSignature) {
        return BeginsLike(kSignature, model.signature) ? GifLoadStatus::CutInHeader
                                                       : GifLoadStatus::NotAGif;
    }
    model.version.assign(text + kSignatureSize, std::min(size_, kHeaderSize) - kSignatureSize);
    if (model.version != kVersion87a && model.version != kVersion89a) {
        const bool cut = size_ < kHeaderSize && (BeginsLike(kVersion87a, model.version) ||
                                                 BeginsLike(kVersion89a, model.version));
        return cut ? GifLoadStatus::CutInHeader : GifLoadStatus::UnknownVersion;
    }
    position_ = kHeaderSize;
    return GifLoadStatus::Loaded;
}

void GifReader::ReadScreen() {
    GifModel& model = *model_;
    std::uint8_t record[kScreenDescriptorSize];
    ReadRecord(record, sizeof record);
    model.screen.width = Int16At(record);
    model.screen.height = Int16At(record + 2);
    model.screen.flags = record[4];
    model.screen.backgroundIndex = record[5];
    model.screen.aspectByte = record[6];

    const std::uint8_t flags = model.screen.flags;
    model.globalPaletteExists = BitField(flags, kGlobalTablePresent) != 0;
    if (!model.globalPaletteExists) return;
    model.globalPalette.sorted = BitField(flags, kGlobalTableSorted) != 0;
    const int entries = 2 << BitField(flags, kTableSize);
    model.globalPalette.entries = static_cast<std::int16_t>(entries);
    ReadColourTable(model.globalPalette, entries);
}

void GifReader::ReadExtension() {
    if (!InStream(position_)) return;
    const std::uint8_t label = data_[position_];
    if (label == kGraphicControlLabel) {
        ++position_;
        ReadGraphicControl();
    } else if (label == kApplicationLabel) {
        ++position_;
        ReadApplication();
    } else {
        // Comments, plain text and unknown extensions carry nothing the model keeps.
        position_ = ChainEnd(data_, size_, position_ + 1);
    }
}

// The extension applies to the next image in the stream, whatever lies between; a second
// one before that image overwrites the first's fields. One whose fields cannot be read is
// passed over, as is one that no image can follow once the frame count is full.
void GifReader::ReadGraphicControl() {
    const std::optional<GraphicControl> control = GraphicControlAt(data_, size_, position_);
    position_ = ChainEnd(data_, size_, position_);
    if (!control || frameCounter_ >= limits_.frames) return;
    GifFrame& frame = FrameRecord(static_cast<size_t>(frameCounter_) + 1);
    frame.delay = control->delay;
    frame.disposal = BitField(control->flags, kDisposalMethod);
    frame.userInput = BitField(control->flags, kUserInput) != 0;
    frame.useTransparentColour = BitField(control->flags, kTransparentColourPresent) != 0;
    if (frame.useTransparentColour) frame.transparentIndex = control->transparentIndex;
}

// The identifier (8 characters and a 3-character authentication code) is the chain's first
// sub-block, 11 bytes in a well-formed file; the payload follows in the chain's other
// sub-blocks. The looping payload: sub-block number (not checked), then the loop count,
// little-endian, kept exactly (0 to 65535).
void GifReader::ReadApplication() {
    if (!InStream(position_) || data_[position_] == kBlockTerminator) return;
    const std::int64_t identifier = position_ + 1;
    const std::uint8_t identifierSize = data_[position_];
    const auto is = [&](const std::uint8_t(&name)[11]) {
        return identifierSize == sizeof name && InStream(identifier + identifierSize - 1) &&
               std::memcmp(data_ + identifier, name, sizeof name) == 0;
    };
    // Netscape's looping extension, or the same payload under the older "ANIMEXTS1.0".
    const bool looping = is(kLoopingApplication) || is(kOldLoopingApplication);
    SubBlockInput payload(data_, size_, identifier + identifierSize);
    std::uint8_t start[3];
    const size_t read = looping ? payload.Read(start, sizeof start) : 0;
    position_ = payload.End();
    if (read == sizeof start) model_->loops = static_cast<std::uint16_t>(start[1] | start[2] << 8);
}

GifFrame& GifReader::FrameRecord(size_t number) {
    std::vector<GifFrame>& frames = model_->frames;
    if (frames.size() < number) {
        // A still image keeps its one record. An animation gets room for 16 at once, then
        // twice as many each time: every record carries a 1 KB palette, and growing one
        // doubling at a time from one record moves each of them over again.
        if (frames.capacity() < number)
            frames.reserve(std::max<size_t>(2 * frames.capacity(), kFirstAnimationRecords));
        frames.resize(number);
    }
    return frames[number - 1];
}

void GifReader::ReadImage() {
    std::uint8_t descriptor[kImageDescriptorSize];
    ReadRecord(descriptor, sizeof descriptor);
    const std::uint8_t flags = descriptor[8];
    if (frameCounter_ >= limits_.frames) {
        // Past the frames a load keeps, the image's block is passed over whole.
        position_ = ChainEnd(data_, size_, position_ + LocalTableBytes(flags) + 1);
        return;
    }
    const FrameNumber frameNumber = ++frameCounter_;

    // A record prepared by a graphic control extension survives; otherwise all is zero.
    GifFrame& frame = FrameRecord(static_cast<size_t>(frameNumber));
    frame.left = Int16At(descriptor);
    frame.top = Int16At(descriptor + 2);
    frame.width = Uint16At(descriptor + 4);
    frame.height = Uint16At(descriptor + 6);
    frame.interlaced = BitField(flags, kInterlaced) != 0;
    frame.localPaletteUsed = BitField(flags, kLocalTablePresent) != 0;
    if (frame.localPaletteUsed) {
        frame.palette.sorted = BitField(flags, kLocalTableSorted) != 0;
        const int entries = 2 << BitField(flags, kTableSize);
        frame.palette.entries = static_cast<std::int16_t>(entries);
        ReadColourTable(frame.palette, entries);
    } else {
        frame.palette = model_->globalPalette;
    }

    bool zeroed = false;
    const char* const noBitmap = CreateBitmaps(frame, zeroed);

    const std::int64_t dataAt = position_;
    std::uint8_t minimumCodeSize = 0;
    if (InStream(position_)) minimumCodeSize = data_[position_];
    ++position_;
    // The data is read only as far as the decoding takes it; the rest is passed over.
    SubBlockInput data(data_, size_, position_);
    const std::optional<std::uint64_t> decoded = DecodeFrame(frame, minimumCodeSize, data, zeroed);
    position_ = data.End();
    frame.pixelsRead = decoded.value_or(0);
    NoteImage(dataAt, decoded, noBitmap);
}

namespace {

// What a frame's colour bitmap and mask take of an arena; 0 for a size the bitmap class
// refuses, which takes nothing.
struct FrameFootprint {
    std::uint64_t colours = 0;
    std::uint64_t mask = 0;
};

FrameFootprint FootprintOf(std::int32_t width, std::int32_t height) {
    const std::uint64_t colourBytes = dib::Dib::PixelBytes(width, height, 8);
    if (width <= 0 || height <= 0 ||
        colourBytes > static_cast<std::uint64_t>(dib::Dib::kMaxPixelBytes))
        return {};
    return {platform::gdi::Bitmap::ArenaFootprint(colourBytes),
            platform::gdi::Bitmap::ArenaFootprint(dib::Dib::PixelBytes(width, height, 1))};
}

}  // namespace

// Passes over the blocks the way Read does, without reading them, and adds up what the frame
// bitmaps in the large-page arena will take: the colour bitmaps, and the masks of frames
// that have a transparent colour. Damage that makes the guess wrong costs only the fit.
//
// The same pass checks the blocks strictly until the first that is not whole: each block
// begins with an introducer, every chain of sub-blocks ends with its terminator inside the
// stream, and the trailer ends the stream. The images it passes whole are noted, so that
// their decoding can tell whether their data fills them.
void GifReader::MeasureFrames() {
    expectedBytes_ = 0;
    expectedImages_ = 0;
    blockDamage_.clear();
    wholeImages_.clear();
    nextWholeImage_ = 0;
    bool whole = true;  // no damage so far
    const auto damaged = [&](std::string what) {
        blockDamage_ = std::move(what);
        whole = false;
    };
    const auto ends = [&](const std::string& where) { damaged("the stream ends inside " + where); };
    const auto after = [&] {
        return wholeImages_.empty() ? std::string()
                                    : ", after frame " + std::to_string(wholeImages_.size());
    };
    if (size_ < kHeaderSize + kScreenDescriptorSize)
        ends("the logical screen descriptor");
    else if (static_cast<std::uint64_t>(position_) > size_)
        ends("the global colour table");

    std::uint64_t measured = 0;  // what the bitmaps of the frames passed take
    bool transparent = false;
    bool trailer = false;
    for (std::int64_t at = position_; InStream(at); ++at) {
        if (data_[at] == kTrailer) {
            trailer = true;
            break;
        }
        if (data_[at] == kExtensionIntroducer) {
            const std::int64_t end = ChainEnd(data_, size_, at + 2);
            if (whole && !InStream(end)) ends("an extension block" + after());
            if (!InStream(end)) break;
            if (data_[at + 1] == kGraphicControlLabel) {
                if (const auto control = GraphicControlAt(data_, size_, at + 2))
                    transparent = BitField(control->flags, kTransparentColourPresent) != 0;
            }
            at = end;
        } else if (data_[at] == kImageSeparator) {
            const auto frame = [&] { return "frame " + std::to_string(wholeImages_.size() + 1); };
            if (!InStream(at + static_cast<std::int64_t>(kImageDescriptorSize))) {
                if (whole) ends(frame() + "'s image descriptor");
                break;
            }
            ++expectedImages_;
            const std::uint8_t* descriptor = data_ + at + 1;
            const std::uint16_t width = Uint16At(descriptor + 4);
            const std::uint16_t height = Uint16At(descriptor + 6);
            if (expectedImages_ <= static_cast<size_t>(limits_.frames) && width > 0 &&
                height > 0 && NoBitmapReason(width, height, measured) == nullptr) {
                const FrameFootprint footprint = FootprintOf(width, height);
                measured += dib::Dib::PixelBytes(width, height, 8) +
                            dib::Dib::PixelBytes(width, height, 1);
                expectedBytes_ += footprint.colours + (transparent ? footprint.mask : 0);
            }
            transparent = false;
            at += static_cast<std::int64_t>(kImageDescriptorSize) + 1 + LocalTableBytes(descriptor[8]);
            const std::int64_t end = ChainEnd(data_, size_, at + 1);
            if (whole) {
                if (at > static_cast<std::int64_t>(size_))
                    ends(frame() + "'s colour table");
                else if (!InStream(end))
                    ends(frame() + "'s image data");
                else
                    wholeImages_.push_back({at, width, height, 0, false, nullptr});
            }
            at = end;
        } else if (whole) {
            static const char kDigits[] = "0123456789ABCDEF";
            damaged(std::string("a byte that begins no block (0x") + kDigits[data_[at] >> 4] +
                    kDigits[data_[at] & 15] + ") at offset " + std::to_string(at) + after());
        }
    }
    if (whole && !trailer) damaged("the stream ends without the trailer" + after());
}

void GifReader::NoteImage(std::int64_t dataAt, std::optional<std::uint64_t> decoded,
                          const char* noBitmap) {
    while (nextWholeImage_ < wholeImages_.size() && wholeImages_[nextWholeImage_].dataAt < dataAt)
        ++nextWholeImage_;
    if (nextWholeImage_ == wholeImages_.size()) return;
    WholeImage& image = wholeImages_[nextWholeImage_];
    if (image.dataAt != dataAt) return;
    image.noBitmap = noBitmap;
    if (!decoded) return;
    image.decoded = *decoded;
    image.counted = true;
}

// The first damage in the stream: an image before the first broken block that the load did
// not keep whole (past the frame limit, its data does not fill it, or it has no bitmap),
// else that block. Images the load did not decode (no bitmap for them) are decoded now
// without one, to count their pixels; that costs time as their data does, not their size.
void GifReader::FindDamage() {
    // The names of the frame and its size are made only for a damage found: a whole file's
    // load makes no text at all.
    for (size_t i = 0; i < wholeImages_.size(); ++i) {
        WholeImage& image = wholeImages_[i];
        const auto frame = [i] { return "frame " + std::to_string(i + 1); };
        if (i >= static_cast<size_t>(limits_.frames)) {
            damage_ = frame() + " is past the " + std::to_string(limits_.frames) +
                      " frames a load keeps";
            return;
        }
        const std::uint64_t pixels = std::uint64_t{image.width} * image.height;
        if (pixels == 0) continue;
        if (!image.counted) {
            try {
                SubBlockInput data(data_, size_, image.dataAt + 1);
                image.decoded = DecoderLease()->CountPixels(image.width, image.height,
                                                            data_[image.dataAt], data);
            } catch (const std::exception&) {
                image.decoded = 0;  // no memory for a row of scratch: nothing could be counted
            }
        }
        if (image.decoded < pixels) {
            damage_ = frame() + "'s image data ends after " + std::to_string(image.decoded) +
                      " of its " + std::to_string(pixels) + " pixels";
            if (image.noBitmap) damage_ += std::string(" (it has no bitmap: ") + image.noBitmap + ")";
            return;
        }
        if (image.noBitmap) {
            damage_ = frame() + " (" + std::to_string(image.width) + " x " +
                      std::to_string(image.height) + ") has no bitmap: " + image.noBitmap;
            return;
        }
    }
    if (!blockDamage_.empty()) damage_ = blockDamage_;
}

const char* GifReader::NoBitmapReason(std::uint16_t width, std::uint16_t height,
                                      std::uint64_t bitmapBytes) const {
    // Sizes above 32767 read as negative, which the bitmap class refuses.
    constexpr std::uint16_t kWidest = 32767;
    if (width > kWidest) return "wider than 32767 pixels";
    if (height > kWidest) return "taller than 32767 pixels";
    const std::uint64_t colours = dib::Dib::PixelBytes(width, height, 8);
    if (colours > static_cast<std::uint64_t>(dib::Dib::kMaxPixelBytes))
        return "larger than a bitmap may be";
    const std::uint64_t cost = colours + dib::Dib::PixelBytes(width, height, 1);
    if (bitmapBytes > limits_.frameBitmapBytes || cost > limits_.frameBitmapBytes - bitmapBytes)
        return "beyond the pixel memory a load may take";
    return nullptr;
}

const char* GifReader::CreateBitmaps(GifFrame& frame, bool& zeroed) {
    frame.colours = std::make_shared<dib::Dib>();
    frame.mask = std::make_shared<dib::Dib>();
    zeroed = false;
    if (frame.width == 0 || frame.height == 0) return nullptr;  // no pixels to keep
    if (const char* why = NoBitmapReason(frame.width, frame.height, bitmapBytes_)) return why;
    const std::int32_t width = frame.width;
    const std::int32_t height = frame.height;
    // A mask is written only where the frame has a transparent colour; other masks stay
    // zero and go where their untouched pages cost nothing.
    const bool maskWritten = frame.useTransparentColour;
    platform::gdi::PixelArena& maskArena = maskWritten ? arena_ : maskArena_;
    const FrameFootprint footprint = FootprintOf(width, height);
    const std::uint64_t here = footprint.colours + (maskWritten ? footprint.mask : 0);
    // The frame's bitmaps from one block.
    if (!arena_.Reserve(here, expectedBytes_)) return "no memory for it";
    expectedBytes_ -= std::min(expectedBytes_, here);
    zeroed = arena_.FreshMemoryZeroed();
    try {
        frame.colours->CreateForOverwrite(width, height, 8, &arena_);
        frame.mask->Create(width, height, 1, &maskArena);
    } catch (const std::exception&) {
        // The bitmap class refused the size; the frame keeps whatever could be made.
    }
    for (const dib::Dib* made : {frame.colours.get(), frame.mask.get()})
        if (made->hDIB() != nullptr) bitmapBytes_ += static_cast<std::uint64_t>(made->size());
    if (frame.colours->hDIB() == nullptr) return "no memory for it";
    return nullptr;
}

std::optional<std::uint64_t> GifReader::DecodeFrame(GifFrame& frame, std::uint8_t minimumCodeSize,
                                                    LzwDecoder::Input& data, bool zeroed) {
    dib::Dib& colours = *frame.colours;
    colours.SetPalette(frame.palette.Bytes(), GifPalette::kByteSize);
    // The transparent entry is black in the colour bitmap so that drawing the mask with
    // source AND and then the colour bitmap with source OR shows the background there;
    // the frame palette keeps the file's colour.
    if (frame.useTransparentColour && colours.hDIB() != nullptr && colours.bpp() == 8) {
        platform::gdi::RGBQUAD& transparent = colours.hDIB()->ColorTable()[frame.transparentIndex];
        transparent.rgbBlue = transparent.rgbGreen = transparent.rgbRed = 0;
    }
    SetMaskColours(*frame.mask);

    // Writes nothing unless the colour bitmap exists with 8 bits per pixel. Never reports
    // an error: the pixels written before whatever stopped the decoding stay, the rest are 0.
    const PixelView view = PixelViewOf(colours);
    std::optional<std::uint64_t> decoded;
    if (colours.bpp() == 8 && !view.Empty()) {
        decoded =
            DecoderLease()->Decode(view, colours.Width(), frame.interlaced, minimumCodeSize, data);
        ZeroUndecoded(view, colours.Width(), frame.interlaced, *decoded, zeroed);
    }
    if (frame.useTransparentColour) {
        // Pixels the data did not reach are index 0: opaque, as the zeroed mask has them,
        // unless 0 is the transparent index. Then they are transparent, and their mask rows
        // take memory that no data asked for: a load writes at most kMostUnreachedMaskBytes of
        // them (a frame cut short, not a small file claiming huge frames), past which they
        // stay opaque. The load is reported incomplete either way.
        std::int32_t rows = colours.Height();
        const std::uint64_t pixels = std::uint64_t(colours.Width()) * std::uint64_t(colours.Height());
        if (decoded && *decoded < pixels && frame.mask->hDIB() != nullptr) {
            const std::int32_t reached =
                RowsReached(colours.Width(), colours.Height(), frame.interlaced, *decoded);
            const std::uint64_t unreached = std::uint64_t(colours.Height() - reached) *
                                            std::uint64_t(frame.mask->BytesPerScanline());
            if (frame.transparentIndex != 0 || unreached > kMostUnreachedMaskBytes - unreachedMaskBytes_)
                rows = reached;
            else
                unreachedMaskBytes_ += unreached;
        }
        BuildFrameMask(colours, frame.transparentIndex, *frame.mask, rows);
    }
    return decoded;
}

void GifReader::ReadColourTable(GifPalette& palette, int entries) {
    // Entries wholly in the stream, then at most one cut short, which keeps what it has; the
    // rest of the table stays black.
    const std::int64_t available =
        InStream(position_) ? static_cast<std::int64_t>(size_) - position_ : 0;
    const auto whole = static_cast<int>(std::min<std::int64_t>(
        entries, available / static_cast<std::int64_t>(kColourTableEntrySize)));
    const std::uint8_t* at = data_ + (available > 0 ? position_ : 0);
    for (int i = 0; i < whole; ++i, at += kColourTableEntrySize) {
        GifColour& colour = palette[static_cast<size_t>(i)];
        colour.red = at[0];
        colour.green = at[1];
        colour.blue = at[2];
    }
    const std::int64_t left = available - static_cast<std::int64_t>(kColourTableEntrySize) * whole;
    if (whole < entries && left > 0) {
        GifColour& colour = palette[static_cast<size_t>(whole)];
        colour.red = at[0];
        if (left > 1) colour.green = at[1];
    }
    position_ += static_cast<std::int64_t>(kColourTableEntrySize) * entries;
}

void GifReader::ReadRecord(std::uint8_t* dst, size_t n) {
    std::memset(dst, 0, n);
    for (size_t i = 0; i < n; ++i) {
        const std::int64_t at = position_ + static_cast<std::int64_t>(i);
        if (!InStream(at)) break;
        dst[i] = data_[at];
    }
    position_ += static_cast<std::int64_t>(n);
}

}  // namespace gif
