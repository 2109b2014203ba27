#include "gif/GifWriter.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "dib/Dib.h"
#include "gif/AtomicFile.h"
#include "gif/GifFormat.h"
#include "gif/GifFrame.h"
#include "gif/GifImage.h"
#include "gif/mGIFLZWEnc.h"

namespace {

using namespace gif_format;
constexpr int kMaxTableEntries = 256;
constexpr int kMinCodeSize = 2;  // GIF decoders expect at least 2, even for 2 colours
constexpr int32_t kMaxSide = 32767;

// Small records are assembled here and handed to the sink in one write.
class Record {
  public:
    Record& Byte(int value) {
        bytes_.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    Record& Word(int value) {  // little-endian 16-bit
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
        return *this;
    }
    Record& Bytes(const uint8_t* data, size_t count) {
        bytes_.insert(bytes_.end(), data, data + count);
        return *this;
    }
    void WriteTo(GifByteSink& out) const { out.Write(bytes_.data(), bytes_.size()); }

  private:
    std::vector<uint8_t> bytes_;
};

// The packed fields are built from signed values; anything outside a byte is an error.
uint8_t PackedByte(int value, const char* field) {
    if (value < 0 || value > 255) {
        throw std::overflow_error(std::string(field) + " " + std::to_string(value) +
                                  " does not fit a byte");
    }
    return static_cast<uint8_t>(value);
}

// The smallest b >= 1 with 2^b >= entries.
int TableBits(int entries) {
    if (entries > kMaxTableEntries) throw std::overflow_error("more than 256 palette entries");
    int bits = 1;
    while ((1 << bits) < entries)
        ++bits;
    return bits;
}

// 2^bits entries as red, green, blue from the palette's blue, green, red, reserved form;
// entries past `entries` are zero.
void AppendColourTable(Record& record, const GifPalette& palette, int bits, int entries) {
    const int size = 1 << bits;
    const int copied = std::clamp(entries, 0, size);
    for (int i = 0; i < size; ++i) {
        if (i < copied) {
            record.Byte(palette[4 * i + 2]).Byte(palette[4 * i + 1]).Byte(palette[4 * i]);
        } else {
            record.Byte(0).Byte(0).Byte(0);
        }
    }
}

// The bits the largest index of an 8-bit bitmap needs (0 for other depths, which are
// written without data).
int IndexBits(const Dib& colours) {
    if (colours.bpp() != 8 || colours.lpBits() == nullptr || colours.Width() <= 0) return 0;
    uint8_t largest = 0;
    for (int32_t y = 0; y < colours.Height(); ++y) {
        const uint8_t* row = colours.lpBits() + static_cast<size_t>(y) * colours.BytesPerScanline();
        largest = std::max(largest, *std::max_element(row, row + colours.Width()));
    }
    int bits = 0;
    while ((1 << bits) <= largest)
        ++bits;
    return bits;
}

}  // namespace

void GifWriter::Write(GifByteSink& out) {
    WriteHeader(out);
    WriteLogicalScreen(out);
    if (gif_.framesCount_ > 0) WriteLoopingExtension(out);
    for (int16_t i = 1; i <= gif_.framesCount_; ++i)
        WriteFrame(out, gif_.Frame(i));
    out.Write(&kTrailer, 1);
}

void GifWriter::WriteHeader(GifByteSink& out) {
    out.Write(reinterpret_cast<const uint8_t*>("GIF"), 3);
    // An image without frames stays "87a" unless its first frame slot asks for
    // transparency; a new object has no slot to ask, and that is an error.
    const bool extended = gif_.framesCount_ > 0 || gif_.Frame(1).UseTransparentColor;
    out.Write(reinterpret_cast<const uint8_t*>(extended ? "89a" : "87a"), 3);
}

void GifWriter::WriteLogicalScreen(GifByteSink& out) {
    Record record;
    globalBits_ = 0;
    int flags = 0;
    if (gif_.globalPaletteExists_) {
        globalBits_ = TableBits(gif_.globalPaletteEntries_);
        // The colour resolution field repeats the table size.
        flags = 0x80 | (globalBits_ - 1) << 4 | (gif_.globalPaletteSorted_ ? 0x08 : 0) |
                (globalBits_ - 1);
    }
    ScreenDescriptor& screen = gif_.screen_;
    screen.Flags = PackedByte(flags, "screen flags");
    record.Word(screen.Width).Word(screen.Height).Byte(screen.Flags);
    record.Byte(screen.BackgroundColorIndex).Byte(screen.AspectByte);
    if (gif_.globalPaletteExists_) {
        AppendColourTable(record, gif_.globalPalette_, globalBits_, gif_.globalPaletteEntries_);
    }
    record.WriteTo(out);
}

void GifWriter::WriteLoopingExtension(GifByteSink& out) {
    Record record;
    record.Byte(kExtensionIntroducer).Byte(kApplicationLabel).Byte(sizeof kLoopingApplication);
    record.Bytes(kLoopingApplication, sizeof kLoopingApplication);
    record.Byte(3).Byte(1).Word(gif_.loops_).Byte(kBlockTerminator);
    record.WriteTo(out);
}

void GifWriter::WriteFrame(GifByteSink& out, const GifFrame& frame) {
    // Every frame gets its graphic control extension, whatever its values. The disposal
    // method is not masked: 8 to 63 spill into the reserved bits, 64 and more fail.
    Record control;
    const int controlFlags = (frame.UseTransparentColor ? 0x01 : 0) | (frame.UserInput ? 0x02 : 0) |
                             frame.DisposalMethod * 4;
    control.Byte(kExtensionIntroducer).Byte(kGraphicControlLabel).Byte(4);
    control.Byte(PackedByte(controlFlags, "graphic control flags")).Word(frame.Delay);
    control.Byte(frame.UseTransparentColor ? frame.TransparentColorIndex : 0);
    control.Byte(kBlockTerminator);
    control.WriteTo(out);

    const int localBits = frame.LocalPaletteUsed ? TableBits(frame.LocalPaletteEntries) : 0;
    // Without a local table the size field is the global one's, -1 when there is none
    // either, which makes the whole byte invalid.
    const int sizeField = frame.LocalPaletteUsed ? localBits - 1 : globalBits_ - 1;
    if (sizeField < 0) throw std::overflow_error("a frame has no colour table, nor the image");
    const int imageFlags = (frame.LocalPaletteUsed ? 0x80 : 0) | (frame.Interlaced ? 0x40 : 0) |
                           (frame.LocalPaletteSorted ? 0x20 : 0) | sizeField;
    const uint8_t packed = PackedByte(imageFlags, "image flags");
    if (!frame.FrameDIBXOR) throw std::runtime_error("frame without a colour bitmap");
    const Dib& colours = *frame.FrameDIBXOR;
    if (colours.Width() > kMaxSide || colours.Height() > kMaxSide) {
        throw std::overflow_error("frame wider or taller than 32767 pixels");
    }
    Record image;
    image.Byte(kImageSeparator).Word(frame.Left).Word(frame.Top);
    image.Word(colours.Width()).Word(colours.Height()).Byte(packed);
    if (frame.LocalPaletteUsed) {
        AppendColourTable(image, frame.Palette, localBits, frame.LocalPaletteEntries);
    }
    // Files in the wild hold indices past their colour table, and the reader keeps them:
    // the codes must be wide enough for the largest index, or it comes back as another one.
    // The table's size field above still describes the table.
    const int minCodeSize = std::max(
        {frame.LocalPaletteUsed ? localBits : globalBits_, IndexBits(colours), kMinCodeSize});
    image.Byte(minCodeSize);
    image.WriteTo(out);

    mGIFLZWEnc::EncodeLZW(out, frame, static_cast<uint8_t>(minCodeSize + 1), frame.Interlaced);
    out.Write(&kBlockTerminator, 1);
}

void SaveGifFile(GifImage& image, const std::string& fileName) {
    // The previous file is replaced only once the new one is complete on disk.
    AtomicFile file(fileName);
    GifWriter(image).Write(file);
    file.Commit();
}

bool GifImage::Save(const std::string& fileName) {
    try {
        SaveGifFile(*this, fileName);
        return true;
    } catch (...) {
        return false;
    }
}
