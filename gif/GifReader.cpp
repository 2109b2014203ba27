#include "gif/GifReader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

#include "dib/Dib.h"
#include "gif/GifFormat.h"
#include "gif/GifImage.h"
#include "gif/mGIFLZWDec.h"

namespace {

using namespace gif_format;

constexpr size_t kHeaderSize = 6;
constexpr size_t kScreenDescriptorSize = 7;
constexpr size_t kGraphicControlSize = 5;      // block size, flags, delay (2), transparent index
constexpr size_t kApplicationHeaderSize = 12;  // block size, identifier (8), authentication (3)
constexpr size_t kImageDescriptorSize = 9;

// Screen descriptor flags.
constexpr int32_t kGlobalTablePresent = 0x80;
constexpr int32_t kGlobalTableSorted = 0x08;
constexpr int32_t kTableSize = 0x07;  // the table has 2^(size + 1) entries
// Graphic control flags.
constexpr int32_t kDisposalMethod = 0x1C;
constexpr int32_t kUserInput = 0x02;
constexpr int32_t kTransparentColourPresent = 0x01;
// Image descriptor flags.
constexpr int32_t kLocalTablePresent = 0x80;
constexpr int32_t kInterlaced = 0x40;
constexpr int32_t kLocalTableSorted = 0x20;

constexpr uint8_t kMaskPalette[8] = {0, 0, 0, 0, 255, 255, 255, 0};  // black, white

// The field under mask, shifted down to bit 0.
uint8_t GetBitField(uint8_t value, int32_t mask) {
    if (mask < 1) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    return static_cast<uint8_t>((value & mask) >> shift);
}

// File fields are little-endian; every 16-bit one is taken as signed.
int16_t Int16At(const uint8_t* bytes) {
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

uint64_t PixelBytes(int32_t width, int32_t height, int32_t bitsPerPixel) {
    const uint64_t w = static_cast<uint64_t>(width < 0 ? -int64_t{width} : width);
    const uint64_t h = static_cast<uint64_t>(height < 0 ? -int64_t{height} : height);
    return (w * bitsPerPixel + 31) / 32 * 4 * h;
}

}  // namespace

bool GifReader::Load(const uint8_t* stream, size_t size) {
    data_ = stream;
    size_ = stream ? size : 0;
    gif_.Destroy();

    // Header: exactly "GIF" then "87a" or "89a". A stream too short for the header is
    // refused without reading past its end, except that a signature or version that
    // would begin past the end is an error of the caller's.
    if (size_ == 0) throw std::out_of_range("empty stream: no GIF signature");
    gif_.signature_.assign(reinterpret_cast<const char*>(data_), std::min<size_t>(size_, 3));
    if (gif_.signature_ != "GIF") return false;
    if (size_ == 3) throw std::out_of_range("stream ends before the GIF version");
    gif_.version_.assign(reinterpret_cast<const char*>(data_) + 3, std::min<size_t>(size_, 6) - 3);
    if (gif_.version_ != "87a" && gif_.version_ != "89a") return false;

    position_ = kHeaderSize;
    uint8_t screen[kScreenDescriptorSize];
    ReadRecord(screen, sizeof screen);
    gif_.screen_.Width = Int16At(screen);
    gif_.screen_.Height = Int16At(screen + 2);
    gif_.screen_.Flags = screen[4];
    gif_.screen_.BackgroundColorIndex = screen[5];
    gif_.screen_.AspectByte = screen[6];
    ReadGlobalPalette();

    while (InStream(position_)) {
        const uint8_t block = data_[position_];
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
    gif_.framesCount_ = frameCounter_;
    return true;
}

void GifReader::ReadGlobalPalette() {
    const uint8_t flags = gif_.screen_.Flags;
    gif_.globalPaletteExists_ = GetBitField(flags, kGlobalTablePresent) != 0;
    if (!gif_.globalPaletteExists_) return;
    gif_.globalPaletteSorted_ = GetBitField(flags, kGlobalTableSorted) != 0;
    const int entries = 2 << GetBitField(flags, kTableSize);
    gif_.globalPaletteEntries_ = static_cast<int16_t>(entries);
    ReadColourTable(gif_.globalPalette_, entries);
}

void GifReader::ReadExtension() {
    if (!InStream(position_)) return;
    const uint8_t label = data_[position_];
    if (label == kGraphicControlLabel) {
        ++position_;
        ReadGraphicControl();
    } else if (label == kApplicationLabel) {
        ++position_;
        ReadApplication();
    } else {
        // Comments, plain text and unknown extensions carry nothing the model keeps.
        SkipSubBlocks();
    }
}

// The extension applies to the next image in the stream, whatever lies between; a second
// one before that image overwrites the first's fields.
void GifReader::ReadGraphicControl() {
    // No image can follow once the frame count is full; its bytes are scanned as blocks.
    if (frameCounter_ == std::numeric_limits<int16_t>::max()) return;
    const size_t next = static_cast<size_t>(frameCounter_) + 1;
    if (gif_.frames_.size() < next) gif_.frames_.resize(next);
    uint8_t record[kGraphicControlSize];  // the block size byte is not checked
    ReadRecord(record, sizeof record);
    GifFrame& frame = gif_.frames_[next - 1];
    const uint8_t flags = record[1];
    frame.Delay = Int16At(record + 2);
    frame.DisposalMethod = GetBitField(flags, kDisposalMethod);
    frame.UserInput = GetBitField(flags, kUserInput) != 0;
    frame.UseTransparentColor = GetBitField(flags, kTransparentColourPresent) != 0;
    if (frame.UseTransparentColor) frame.TransparentColorIndex = record[4];
}

void GifReader::ReadApplication() {
    uint8_t header[kApplicationHeaderSize];  // the block size byte is not checked
    ReadRecord(header, sizeof header);
    ReadSubBlocks();
    if (std::memcmp(header + 1, kLoopingApplication, sizeof kLoopingApplication) != 0) return;
    // Payload: sub-block number (not checked), then the loop count, little-endian. A count
    // of 32768 or more does not fit the model's signed 16-bit field and is not taken.
    if (joined_.size() < 3 || joined_[2] >= 128) return;
    gif_.loops_ = static_cast<int16_t>(joined_[1] + 256 * joined_[2]);
}

void GifReader::ReadImage() {
    // The frame counter is signed 16-bit: a separator past frame 32767 cannot be counted,
    // and its bytes are scanned as blocks.
    if (frameCounter_ == std::numeric_limits<int16_t>::max()) return;
    const int16_t frameNumber = ++frameCounter_;
    // A record prepared by a graphic control extension survives; otherwise all is zero.
    if (gif_.frames_.size() < static_cast<size_t>(frameNumber)) gif_.frames_.resize(frameNumber);
    uint8_t descriptor[kImageDescriptorSize];
    ReadRecord(descriptor, sizeof descriptor);

    GifFrame& frame = gif_.frames_[static_cast<size_t>(frameNumber) - 1];
    frame.Left = Int16At(descriptor);
    frame.Top = Int16At(descriptor + 2);
    const int16_t width = Int16At(descriptor + 4);
    const int16_t height = Int16At(descriptor + 6);
    const uint8_t flags = descriptor[8];
    frame.Interlaced = GetBitField(flags, kInterlaced) != 0;
    frame.LocalPaletteUsed = GetBitField(flags, kLocalTablePresent) != 0;
    if (frame.LocalPaletteUsed) {
        frame.LocalPaletteSorted = GetBitField(flags, kLocalTableSorted) != 0;
        const int entries = 2 << GetBitField(flags, kTableSize);
        frame.LocalPaletteEntries = static_cast<int16_t>(entries);
        ReadColourTable(frame.Palette, entries);
    } else {
        frame.LocalPaletteSorted = gif_.globalPaletteSorted_;
        frame.LocalPaletteEntries = gif_.globalPaletteEntries_;
        frame.Palette = gif_.globalPalette_;
    }

    CreateBitmaps(frame, width, height);

    uint8_t minimumCodeSize = 0;
    if (InStream(position_)) minimumCodeSize = data_[position_];
    ++position_;
    ReadSubBlocks();
    DecodeFrame(frameNumber, minimumCodeSize);
}

void GifReader::CreateBitmaps(GifFrame& frame, int16_t width, int16_t height) {
    frame.FrameDIBXOR = std::make_shared<Dib>();
    frame.FrameDIBAND = std::make_shared<Dib>();
    const uint64_t cost = PixelBytes(width, height, 8) + PixelBytes(width, height, 1);
    if (cost > bitmapBudget_ - bitmapBytes_) return;  // both stay empty
    try {
        frame.FrameDIBXOR->Create(width, height, 8);
        frame.FrameDIBAND->Create(width, height, 1);
    } catch (const std::exception&) {
        // The bitmap class refused the size; the frame keeps whatever could be made.
    }
    for (const Dib* made : {frame.FrameDIBXOR.get(), frame.FrameDIBAND.get()})
        if (made->hDIB() != nullptr) bitmapBytes_ += static_cast<uint64_t>(made->size());
}

void GifReader::DecodeFrame(int16_t frameNumber, uint8_t minimumCodeSize) {
    GifFrame& frame = gif_.frames_[static_cast<size_t>(frameNumber) - 1];
    // The transparent entry is black in the colour bitmap so that drawing the mask with
    // source AND and then the colour bitmap with source OR shows the background there;
    // the frame palette keeps the file's colour.
    GifPalette working = frame.Palette;
    const size_t t = frame.TransparentColorIndex;
    if (frame.UseTransparentColor) std::fill_n(working.begin() + 4 * t, 3, 0);
    frame.FrameDIBXOR->SetPalette(working.data(), working.size());
    frame.FrameDIBAND->SetPalette(kMaskPalette, sizeof kMaskPalette);
    mGIFLZWDec::DecodeLZW(frame, frame.Interlaced, minimumCodeSize, joined_.data(), joined_.size());
    if (frame.UseTransparentColor) gif_.FrameMask(frameNumber, frame.TransparentColorIndex);
}

void GifReader::ReadColourTable(GifPalette& palette, int entries) {
    for (int i = 0; i < entries; ++i) {
        const int64_t at = position_ + 3 * i;
        if (!InStream(at)) break;        // the rest of the table stays black
        palette[4 * i + 2] = data_[at];  // red
        if (InStream(at + 1)) palette[4 * i + 1] = data_[at + 1];  // green
        if (InStream(at + 2)) palette[4 * i] = data_[at + 2];      // blue
    }
    position_ += 3 * entries;
}

void GifReader::ReadRecord(uint8_t* dst, size_t n) {
    std::memset(dst, 0, n);
    for (size_t i = 0; i < n; ++i) {
        const int64_t at = position_ + static_cast<int64_t>(i);
        if (!InStream(at)) break;
        dst[i] = data_[at];
    }
    position_ += static_cast<int64_t>(n);
}

void GifReader::ReadSubBlocks() {
    joined_.clear();
    while (InStream(position_) && data_[position_] != 0) {
        const size_t n = data_[position_];
        const size_t start = static_cast<size_t>(position_) + 1;
        const size_t available = std::min(n, size_ - std::min(start, size_));
        joined_.insert(joined_.end(), data_ + start, data_ + start + available);
        position_ += static_cast<int64_t>(n) + 1;
    }
}

void GifReader::SkipSubBlocks() {
    ++position_;
    while (InStream(position_) && data_[position_] != 0)
        position_ += static_cast<int64_t>(data_[position_]) + 1;
}

bool GifImage::LoadFromStream(const std::vector<uint8_t>& stream) {
    return LoadFromStream(stream.data(), stream.size());
}

bool GifImage::LoadFromStream(const uint8_t* stream, size_t size) {
    return GifReader(*this).Load(stream, size);
}

bool GifImage::LoadFromFile(const std::string& fileName) {
    try {
        std::ifstream file(fileName, std::ios::binary | std::ios::ate);
        if (!file) {
            Destroy();
            return false;
        }
        const std::streamoff length = file.tellg();
        if (length <= 0) {
            Destroy();
            return false;
        }
        std::vector<uint8_t> bytes(static_cast<size_t>(length));
        file.seekg(0);
        if (!file.read(reinterpret_cast<char*>(bytes.data()), length)) {
            Destroy();
            return false;
        }
        return LoadFromStream(bytes);
    } catch (const std::exception&) {
        Destroy();
        return false;
    }
}
