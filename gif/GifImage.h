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

class GifImage {
  public:
    GifImage() = default;
    GifImage(const GifImage&) = delete;
    GifImage& operator=(const GifImage&) = delete;

    // Reads a whole GIF file; false when it is missing, empty, unreadable or not a GIF
    // (LoadStatus says which).
    bool LoadFromFile(const std::string& fileName);
    // Strict about the 6-byte header, lenient after it: once the header is accepted the
    // result is true and damaged content costs only what cannot be read. Throws
    // std::out_of_range when the signature or version would begin past the end.
    bool LoadFromStream(const std::vector<uint8_t>& stream);
    bool LoadFromStream(const uint8_t* stream, size_t size);
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
    void FrameDraw(Dib::HDC dc, int16_t frameNumber, int16_t left = 0, int16_t top = 0,
                   float scale = 1.0f, bool cropToScreen = false) const;
    // Rebuilds the frame's mask from its colour indices and its colour bitmap's colour
    // table from the frame palette, making transparentIndex transparent when the frame
    // uses a transparent colour.
    void FrameMask(int16_t frameNumber, uint8_t transparentIndex);

    void FrameInsert(int16_t frameNumber, int16_t width, int16_t height);
    void FrameRemove(int16_t frameNumber);
    void FrameMoveUp(int16_t frameNumber);
    void FrameMoveDown(int16_t frameNumber);

    // The looping extension's repeat count, 0 when the image has none. Like the file's other
    // 16-bit numbers it reads as signed: 65535 comes back as -1. Setting a count gives the
    // image a looping extension.
    int16_t AnimationLoops() const { return static_cast<int16_t>(model_.loops.value_or(0)); }
    void SetAnimationLoops(int16_t value) { model_.loops = static_cast<uint16_t>(value); }
    bool HasLoopingExtension() const { return model_.loops.has_value(); }
    void RemoveLoopingExtension() { model_.loops.reset(); }
    int16_t ScreenWidth() const { return model_.screen.width; }
    void SetScreenWidth(int16_t value) { model_.screen.width = value; }
    int16_t ScreenHeight() const { return model_.screen.height; }
    void SetScreenHeight(int16_t value) { model_.screen.height = value; }
    uint8_t ScreenBackgroundColorIndex() const { return model_.screen.backgroundIndex; }
    void SetScreenBackgroundColorIndex(uint8_t value) { model_.screen.backgroundIndex = value; }
    // (aspect byte + 15) / 64; the byte 0 is not special.
    float ScreenPixelAspectRatio() const;
    // Stores value * 64 - 15 rounded half to even; throws std::overflow_error when that is
    // outside 0 to 255 or not a number, leaving the byte unchanged.
    void SetScreenPixelAspectRatio(float value);

    // The 1024 bytes of the global colour table: entry i is blue, green, red, reserved at
    // bytes 4i to 4i + 3.
    uint8_t* lpGlobalPalette() { return model_.globalPalette.Bytes(); }
    // Red + 256 * green + 65536 * blue of a global entry; 0 when there is no global table.
    int32_t GlobalPaletteRGBEntry(uint8_t entry) const {
        return model_.globalPaletteExists ? model_.globalPalette.RgbOf(entry) : 0;
    }
    bool GlobalPaletteExists() const { return model_.globalPaletteExists; }
    void SetGlobalPaletteExists(bool value) { model_.globalPaletteExists = value; }
    bool GlobalPaletteSorted() const { return model_.globalPalette.sorted; }
    void SetGlobalPaletteSorted(bool value) { model_.globalPalette.sorted = value; }
    int16_t GlobalPaletteEntries() const { return model_.globalPalette.entries; }
    void SetGlobalPaletteEntries(int16_t value) { model_.globalPalette.entries = value; }

    int16_t FramesCount() const { return model_.frameCount; }
    // The frame's own bitmaps, shared (not copies); null for a blank record.
    std::shared_ptr<Dib> FrameDIBXOR(int16_t frameNumber) const {
        return Frame(frameNumber).colours;
    }
    std::shared_ptr<Dib> FrameDIBAND(int16_t frameNumber) const { return Frame(frameNumber).mask; }
    int16_t FrameDelay(int16_t frameNumber) const { return Frame(frameNumber).delay; }
    void SetFrameDelay(int16_t frameNumber, int16_t value) { Frame(frameNumber).delay = value; }
    bool FrameInterlaced(int16_t frameNumber) const { return Frame(frameNumber).interlaced; }
    void SetFrameInterlaced(int16_t frameNumber, bool value) {
        Frame(frameNumber).interlaced = value;
    }
    int16_t FrameLeft(int16_t frameNumber) const { return Frame(frameNumber).left; }
    void SetFrameLeft(int16_t frameNumber, int16_t value) { Frame(frameNumber).left = value; }
    int16_t FrameTop(int16_t frameNumber) const { return Frame(frameNumber).top; }
    void SetFrameTop(int16_t frameNumber, int16_t value) { Frame(frameNumber).top = value; }
    int32_t FrameDisposalMethod(int16_t frameNumber) const { return Frame(frameNumber).disposal; }
    // Throws std::overflow_error for a value outside 0 to 255.
    void SetFrameDisposalMethod(int16_t frameNumber, int32_t value);
    bool FrameUseTransparentColor(int16_t frameNumber) const {
        return Frame(frameNumber).useTransparentColour;
    }
    void SetFrameUseTransparentColor(int16_t frameNumber, bool value) {
        Frame(frameNumber).useTransparentColour = value;
    }
    uint8_t FrameTransparentColorIndex(int16_t frameNumber) const {
        return Frame(frameNumber).transparentIndex;
    }
    void SetFrameTransparentColorIndex(int16_t frameNumber, uint8_t value) {
        Frame(frameNumber).transparentIndex = value;
    }
    bool FrameUserInput(int16_t frameNumber) const { return Frame(frameNumber).userInput; }
    void SetFrameUserInput(int16_t frameNumber, bool value) {
        Frame(frameNumber).userInput = value;
    }
    // The frame palette's 1024 bytes, laid out as the global one's; valid until the frame
    // table is next resized.
    uint8_t* lpLocalPalette(int16_t frameNumber) { return Frame(frameNumber).palette.Bytes(); }
    // The frame palette's colour, whatever LocalPaletteUsed says.
    int32_t LocalPaletteRGBEntry(int16_t frameNumber, uint8_t entry) const {
        return Frame(frameNumber).palette.RgbOf(entry);
    }
    bool LocalPaletteUsed(int16_t frameNumber) const { return Frame(frameNumber).localPaletteUsed; }
    void SetLocalPaletteUsed(int16_t frameNumber, bool value) {
        Frame(frameNumber).localPaletteUsed = value;
    }
    bool LocalPaletteSorted(int16_t frameNumber) const { return Frame(frameNumber).palette.sorted; }
    void SetLocalPaletteSorted(int16_t frameNumber, bool value) {
        Frame(frameNumber).palette.sorted = value;
    }
    int16_t LocalPaletteEntries(int16_t frameNumber) const {
        return Frame(frameNumber).palette.entries;
    }
    void SetLocalPaletteEntries(int16_t frameNumber, int16_t value) {
        Frame(frameNumber).palette.entries = value;
    }

    // The plain data behind the members, for the reader and writer used on their own (with
    // other limits, or into memory) and for inspection.
    GifModel& Model() { return model_; }
    const GifModel& Model() const { return model_; }

  private:
    GifFrame& Frame(int16_t frameNumber);
    const GifFrame& Frame(int16_t frameNumber) const;

    GifModel model_;
    GifLoadStatus loadStatus_ = GifLoadStatus::EmptyStream;
    std::string loadDamage_;
};
