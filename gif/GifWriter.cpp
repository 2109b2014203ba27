#include "gif/GifWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "dib/Dib.h"
#include "gif/DibPixelView.h"
#include "gif/GifByteSink.h"
#include "gif/GifFormat.h"
#include "gif/LzwEncoder.h"
#include "platform/AtomicFile.h"

namespace gif {

namespace {

using namespace gif;
constexpr int kMaxTableEntries = GifPalette::kMaxColours;
constexpr int kMinCodeSize = 2;  // GIF decoders expect at least 2, even for 2 colours
constexpr std::int32_t kMaxSide = 32767;

// Small records are assembled here and handed to the sink in one write. The largest, a
// descriptor with a full colour table, takes 779 bytes: they fit on the stack, and a save
// allocates nothing for them.
class Record {
  public:
    Record& Byte(int value) {
        Put(static_cast<std::uint8_t>(value));
        return *this;
    }
    Record& Word(int value) {  // little-endian 16-bit
        Put(static_cast<std::uint8_t>(value & 0xFF));
        Put(static_cast<std::uint8_t>((value >> 8) & 0xFF));
        return *this;
    }
    Record& Bytes(const void* data, size_t count) {
        const auto* first = static_cast<const std::uint8_t*>(data);
        for (size_t i = 0; i < count; ++i)
            Put(first[i]);
        return *this;
    }
    void WriteTo(GifByteSink& out) const { out.Write(bytes_, size_); }

  private:
    void Put(std::uint8_t byte) {
        if (size_ == sizeof bytes_) throw std::length_error("GIF record longer than expected");
        bytes_[size_++] = byte;
    }

    std::uint8_t bytes_[1024];
    size_t size_ = 0;
};

// The packed fields are built from signed values; anything outside a byte is an error.
std::uint8_t PackedByte(int value, const char* field) {
    if (value < 0 || value > 255) {
        throw std::overflow_error(std::string(field) + " " + std::to_string(value) +
                                  " does not fit a byte");
    }
    return static_cast<std::uint8_t>(value);
}

// The smallest b >= 1 with 2^b >= entries.
int TableBits(int entries) {
    if (entries > kMaxTableEntries) throw std::overflow_error("more than 256 palette entries");
    int bits = 1;
    while ((1 << bits) < entries)
        ++bits;
    return bits;
}

// 2^bits entries as red, green, blue; entries past the palette's count are zero.
void AppendColourTable(Record& record, const GifPalette& palette, int bits) {
    const int size = 1 << bits;
    const int copied = std::clamp<int>(palette.entries, 0, size);
    for (int i = 0; i < size; ++i) {
        if (i < copied) {
            const GifColour& colour = palette[static_cast<size_t>(i)];
            record.Byte(colour.red).Byte(colour.green).Byte(colour.blue);
        } else {
            record.Byte(0).Byte(0).Byte(0);
        }
    }
}

// An image without frames still needs its first frame record for the header.
const GifFrame& FirstFrameRecord(const GifModel& model) {
    if (model.frames.empty()) throw std::out_of_range("the image has no frame table");
    return model.frames.front();
}

}  // namespace

GifWriter::GifWriter() = default;

GifWriter::~GifWriter() = default;

void GifWriter::Write(const GifModel& model, GifByteSink& out) {
    WriteHeader(model, out);
    WriteLogicalScreen(model, out);
    // The looping extension goes out only when the image has one: a file that played once
    // plays once after a resave, and a still image stays without one.
    if (model.frameCount > 0 && model.loops) WriteLoopingExtension(model, out);
    for (FrameNumber i = 0; i < model.frameCount; ++i)
        WriteFrame(model.frames.at(static_cast<size_t>(i)), out);
    out.Write(&kTrailer, 1);
}

void GifWriter::WriteHeader(const GifModel& model, GifByteSink& out) {
    out.Write(reinterpret_cast<const std::uint8_t*>(kSignature), kSignatureSize);
    // An image without frames stays "87a" unless its first frame slot asks for
    // transparency; a new model has no slot to ask, and that is an error.
    const bool extended = model.frameCount > 0 || FirstFrameRecord(model).useTransparentColour;
    out.Write(reinterpret_cast<const std::uint8_t*>(extended ? kVersion89a : kVersion87a),
              kHeaderSize - kSignatureSize);
}

void GifWriter::WriteLogicalScreen(const GifModel& model, GifByteSink& out) {
    Record record;
    globalBits_ = 0;
    int flags = 0;
    if (model.globalPaletteExists) {
        globalBits_ = TableBits(model.globalPalette.entries);
        // The colour resolution field repeats the table size.
        flags = kGlobalTablePresent | (globalBits_ - 1) << kColourResolutionShift |
                (model.globalPalette.sorted ? kGlobalTableSorted : 0) | (globalBits_ - 1);
    }
    const GifScreen& screen = model.screen;
    record.Word(screen.width).Word(screen.height).Byte(PackedByte(flags, "screen flags"));
    record.Byte(screen.backgroundIndex).Byte(screen.aspectByte);
    if (model.globalPaletteExists) AppendColourTable(record, model.globalPalette, globalBits_);
    record.WriteTo(out);
}

void GifWriter::WriteLoopingExtension(const GifModel& model, GifByteSink& out) {
    Record record;
    record.Byte(kExtensionIntroducer).Byte(kApplicationLabel).Byte(sizeof kLoopingApplication);
    record.Bytes(kLoopingApplication, sizeof kLoopingApplication);
    record.Byte(kLoopingSubBlockSize).Byte(kLoopingSubBlockNumber).Word(*model.loops);
    record.Byte(kBlockTerminator);
    record.WriteTo(out);
}

void GifWriter::WriteFrame(const GifFrame& frame, GifByteSink& out) {
    // Every frame gets its graphic control extension, whatever its values. The disposal
    // method is not masked: 8 to 63 spill into the reserved bits, 64 and more fail.
    Record control;
    const int controlFlags = (frame.useTransparentColour ? kTransparentColourPresent : 0) |
                             (frame.userInput ? kUserInput : 0) |
                             frame.disposal << kDisposalMethodShift;
    control.Byte(kExtensionIntroducer).Byte(kGraphicControlLabel).Byte(kGraphicControlBlockSize);
    control.Byte(PackedByte(controlFlags, "graphic control flags")).Word(frame.delay);
    control.Byte(frame.useTransparentColour ? frame.transparentIndex : 0);
    control.Byte(kBlockTerminator);
    control.WriteTo(out);

    const bool local = frame.localPaletteUsed;
    const int localBits = local ? TableBits(frame.palette.entries) : 0;
    // Without a local table the size field is the global one's, -1 when there is none
    // either, which makes the whole byte invalid.
    const int sizeField = local ? localBits - 1 : globalBits_ - 1;
    if (sizeField < 0) throw std::overflow_error("a frame has no colour table, nor the image");
    const int imageFlags = (local ? kLocalTablePresent : 0) | (frame.interlaced ? kInterlaced : 0) |
                           (frame.palette.sorted ? kLocalTableSorted : 0) | sizeField;
    const std::uint8_t packed = PackedByte(imageFlags, "image flags");
    if (!frame.colours) throw std::runtime_error("frame without a colour bitmap");
    const dib::Dib& colours = *frame.colours;
    if (colours.Width() > kMaxSide || colours.Height() > kMaxSide) {
        throw std::overflow_error("frame wider or taller than 32767 pixels");
    }
    Record image;
    image.Byte(kImageSeparator).Word(frame.left).Word(frame.top);
    image.Word(colours.Width()).Word(colours.Height()).Byte(packed);
    if (local) AppendColourTable(image, frame.palette, localBits);
    // A bitmap that is not 8 bits per pixel, or holds no pixels, gives no sub-blocks at all.
    const PixelView view = PixelViewOf(colours);
    const bool hasIndices = colours.bpp() == 8 && !view.Empty();
    LzwEncoder::IndexRows rows;
    if (hasIndices) {
        rows = {view.bits, view.bytesPerScanline, std::min(colours.Width(), view.bytesPerScanline),
                view.height};
        rows.indexBits = LzwEncoder::IndexBitsOf(rows);
    }
    // Files in the wild hold indices past their colour table, and the reader keeps them:
    // the codes must be wide enough for the largest index, or it comes back as another one.
    // The table's size field above still describes the table.
    const int minCodeSize =
        std::max({local ? localBits : globalBits_, hasIndices ? rows.indexBits : 0, kMinCodeSize});
    image.Byte(minCodeSize);
    image.WriteTo(out);

    if (hasIndices) {
        if (!encoder_) encoder_ = std::make_unique<LzwEncoder>();
        encoder_->Encode(out, rows, static_cast<std::uint8_t>(minCodeSize + 1), frame.interlaced);
    }
    out.Write(&kBlockTerminator, 1);
}

void SaveGifFile(const GifModel& model, const std::string& fileName) {
    // The previous file is replaced only once the new one is complete on disk.
    platform::AtomicFile file(fileName);
    GifWriter().Write(model, file);
    file.Commit();
}

}  // namespace gif
