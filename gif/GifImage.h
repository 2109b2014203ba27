#pragma once
// GifImage: one GIF image as the rest of the system sees it. It keeps a GifModel (the
// logical screen, the optional global colour table, the animation loop count and a table
// of frames numbered from 1) and puts the reader, the writer, frame drawing, masks and
// frame list editing behind one set of members.
//
// Setters store their value and nothing else: none validates against other fields,
// redraws a bitmap or changes the frame count. Frame-indexed properties throw
// std::out_of_range for a frame number outside the frame table, which a new object does
// not have yet and which after Destroy holds one blank record.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dib/Dib.h"
#include "gif/GifModel.h"
#include "gif/GifReader.h"

namespace gif {

class GifImage {
  public:
    GifImage() = default;
    GifImage(const GifImage&) = delete;
    GifImage& operator=(const GifImage&) = delete;

    // What each load may take: the pixel memory of its frame bitmaps, its frames, and the size
    // of a file LoadFromFile reads. A load that meets a limit keeps what fits and reports the
    // rest as lost (LoadDamage).
    void SetLoadLimits(const GifLoadLimits& limits) { loadLimits_ = limits; }
    const GifLoadLimits& LoadLimits() const { return loadLimits_; }

    // Reads a whole GIF file; false when it is missing, empty, unreadable, larger than the
    // load limits allow or not a GIF (LoadStatus says which).
    bool LoadFromFile(const std::string& fileName);
    // Strict about the 6-byte header, lenient after it: once the header is accepted the
    // result is true and damaged content costs only what cannot be read. Throws
    // std::out_of_range when the signature or version would begin past the end.
    bool LoadFromStream(const std::vector<std::uint8_t>& stream);
    bool LoadFromStream(const std::uint8_t* stream, size_t size);
    // Why the last load gave what it gave.
    GifLoadStatus LoadStatus() const { return loadStatus_; }
    // For a stream that loaded: empty when it was complete, else the first thing wrong
    // with it and where (GifReader::Damage).
    const std::string& LoadDamage() const { return loadDamage_; }
    // Writes the image to a new file that replaces fileName only once it is complete;
    // false when any of it cannot be written.
    bool Save(const std::string& fileName) const;
    void Destroy() { model_.Clear(); }

    // Draws a frame with its transparency, its position and size scaled by scale, the
    // logical screen's top-left corner at (left, top) of the destination.
    void FrameDraw(dib::Dib::HDC dc, FrameNumber frameNumber, std::int16_t left = 0,
                   std::int16_t top = 0, float scale = 1.0f, bool cropToScreen = false) const;
    // Rebuilds the frame's mask from its colour indices and its colour bitmap's colour
    // table from the frame palette, making transparentIndex transparent when the frame
    // uses a transparent colour.
    void FrameMask(FrameNumber frameNumber, std::uint8_t transparentIndex);

    void FrameInsert(FrameNumber frameNumber, std::int16_t width, std::int16_t height);
    void FrameRemove(FrameNumber frameNumber);
    void FrameMoveUp(FrameNumber frameNumber);
    void FrameMoveDown(FrameNumber frameNumber);

    // The looping extension's repeat count, 0 when the image has none. Like the file's other
    // 16-bit numbers it reads as signed: 65535 comes back as -1. Setting a count gives the
    // image a looping extension.
    std::int16_t AnimationLoops() const {
        return static_cast<std::int16_t>(model_.loops.value_or(0));
    }
    void SetAnimationLoops(std::int16_t value) { model_.loops = static_cast<std::uint16_t>(value); }
    bool HasLoopingExtension() const { return model_.loops.has_value(); }
    void RemoveLoopingExtension() { model_.loops.reset(); }
    std::int16_t ScreenWidth() const { return model_.screen.width; }
    void SetScreenWidth(std::int16_t value) { model_.screen.width = value; }
    std::int16_t ScreenHeight() const { return model_.screen.height; }
    void SetScreenHeight(std::int16_t value) { model_.screen.height = value; }
    std::uint8_t ScreenBackgroundColorIndex() const { return model_.screen.backgroundIndex; }
    void SetScreenBackgroundColorIndex(std::uint8_t value) {
        model_.screen.backgroundIndex = value;
    }
    // (aspect byte + 15) / 64; the byte 0 is not special.
    float ScreenPixelAspectRatio() const;
    // Stores value * 64 - 15 rounded half to even; throws std::overflow_error when that is
    // outside 0 to 255 or not a number, leaving the byte unchanged.
    void SetScreenPixelAspectRatio(float value);

    // The 1024 bytes of the global colour table: entry i is blue, green, red, reserved at
    // bytes 4i to 4i + 3.
    std::uint8_t* lpGlobalPalette() { return model_.globalPalette.Bytes(); }
    // Red + 256 * green + 65536 * blue of a global entry; 0 when there is no global table.
    std::int32_t GlobalPaletteRGBEntry(std::uint8_t entry) const {
        return model_.globalPaletteExists ? model_.globalPalette.RgbOf(entry) : 0;
    }
    bool GlobalPaletteExists() const { return model_.globalPaletteExists; }
    void SetGlobalPaletteExists(bool value) { model_.globalPaletteExists = value; }
    bool GlobalPaletteSorted() const { return model_.globalPalette.sorted; }
    void SetGlobalPaletteSorted(bool value) { model_.globalPalette.sorted = value; }
    std::int16_t GlobalPaletteEntries() const { return model_.globalPalette.entries; }
    void SetGlobalPaletteEntries(std::int16_t value) { model_.globalPalette.entries = value; }

    FrameNumber FramesCount() const { return model_.frameCount; }
    // The frame's own bitmaps, shared (not copies); null for a blank record.
    std::shared_ptr<dib::Dib> FrameDIBXOR(FrameNumber frameNumber) const {
        return Frame(frameNumber).colours;
    }
    std::shared_ptr<dib::Dib> FrameDIBAND(FrameNumber frameNumber) const {
        return Frame(frameNumber).mask;
    }
    std::int16_t FrameDelay(FrameNumber frameNumber) const { return Frame(frameNumber).delay; }
    void SetFrameDelay(FrameNumber frameNumber, std::int16_t value) {
        Frame(frameNumber).delay = value;
    }
    // The frame's size as the file gives it (0 to 65535), which its bitmaps have unless they
    // could not be made.
    std::int32_t FrameWidth(FrameNumber frameNumber) const { return Frame(frameNumber).width; }
    std::int32_t FrameHeight(FrameNumber frameNumber) const { return Frame(frameNumber).height; }
    bool FrameInterlaced(FrameNumber frameNumber) const { return Frame(frameNumber).interlaced; }
    void SetFrameInterlaced(FrameNumber frameNumber, bool value) {
        Frame(frameNumber).interlaced = value;
    }
    std::int16_t FrameLeft(FrameNumber frameNumber) const { return Frame(frameNumber).left; }
    void SetFrameLeft(FrameNumber frameNumber, std::int16_t value) {
        Frame(frameNumber).left = value;
    }
    std::int16_t FrameTop(FrameNumber frameNumber) const { return Frame(frameNumber).top; }
    void SetFrameTop(FrameNumber frameNumber, std::int16_t value) {
        Frame(frameNumber).top = value;
    }
    std::int32_t FrameDisposalMethod(FrameNumber frameNumber) const {
        return Frame(frameNumber).disposal;
    }
    // Throws std::overflow_error for a value outside 0 to 255.
    void SetFrameDisposalMethod(FrameNumber frameNumber, std::int32_t value);
    bool FrameUseTransparentColor(FrameNumber frameNumber) const {
        return Frame(frameNumber).useTransparentColour;
    }
    void SetFrameUseTransparentColor(FrameNumber frameNumber, bool value) {
        Frame(frameNumber).useTransparentColour = value;
    }
    std::uint8_t FrameTransparentColorIndex(FrameNumber frameNumber) const {
        return Frame(frameNumber).transparentIndex;
    }
    void SetFrameTransparentColorIndex(FrameNumber frameNumber, std::uint8_t value) {
        Frame(frameNumber).transparentIndex = value;
    }
    bool FrameUserInput(FrameNumber frameNumber) const { return Frame(frameNumber).userInput; }
    void SetFrameUserInput(FrameNumber frameNumber, bool value) {
        Frame(frameNumber).userInput = value;
    }
    // The frame palette's 1024 bytes, laid out as the global one's; valid until the frame
    // table is next resized.
    std::uint8_t* lpLocalPalette(FrameNumber frameNumber) {
        return Frame(frameNumber).palette.Bytes();
    }
    // The frame palette's colour, whatever LocalPaletteUsed says.
    std::int32_t LocalPaletteRGBEntry(FrameNumber frameNumber, std::uint8_t entry) const {
        return Frame(frameNumber).palette.RgbOf(entry);
    }
    bool LocalPaletteUsed(FrameNumber frameNumber) const {
        return Frame(frameNumber).localPaletteUsed;
    }
    void SetLocalPaletteUsed(FrameNumber frameNumber, bool value) {
        Frame(frameNumber).localPaletteUsed = value;
    }
    bool LocalPaletteSorted(FrameNumber frameNumber) const {
        return Frame(frameNumber).palette.sorted;
    }
    void SetLocalPaletteSorted(FrameNumber frameNumber, bool value) {
        Frame(frameNumber).palette.sorted = value;
    }
    std::int16_t LocalPaletteEntries(FrameNumber frameNumber) const {
        return Frame(frameNumber).palette.entries;
    }
    void SetLocalPaletteEntries(FrameNumber frameNumber, std::int16_t value) {
        Frame(frameNumber).palette.entries = value;
    }

    // The plain data behind the members, for the reader and writer used on their own (with
    // other limits, or into memory) and for inspection.
    GifModel& Model() { return model_; }
    const GifModel& Model() const { return model_; }

  private:
    GifFrame& Frame(FrameNumber frameNumber);
    const GifFrame& Frame(FrameNumber frameNumber) const;

    GifModel model_;
    GifLoadLimits loadLimits_;
    GifLoadStatus loadStatus_ = GifLoadStatus::EmptyStream;
    std::string loadDamage_;
};

}  // namespace gif
