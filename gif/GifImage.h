#pragma once
// One GIF image in memory: the logical screen, the optional global colour table, the
// animation loop count and a table of frames numbered from 1. Loading (GifReader.cpp),
// frame rendering (GifFrameDrawing.cpp), writing and frame list editing work on it.
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
#include "gif/GifFrame.h"
#include "gif/ScreenDescriptor.h"

class GifImage {
  public:
    GifImage() = default;
    ~GifImage();
    GifImage(const GifImage&) = delete;
    GifImage& operator=(const GifImage&) = delete;

    // Reads a whole GIF file; false when it is missing, empty, unreadable or not a GIF.
    bool LoadFromFile(const std::string& fileName);
    // Strict about the 6-byte header, lenient after it: once the header is accepted the
    // result is true and damaged content costs only what cannot be read. Throws
    // std::out_of_range when the signature or version would begin past the end.
    bool LoadFromStream(const std::vector<uint8_t>& stream);
    bool LoadFromStream(const uint8_t* stream, size_t size);
    bool Save(const std::string& fileName);
    void Destroy();

    // Draws frame frameNumber with its transparency, its position and size scaled by
    // scale, the logical screen's top-left corner at (left, top) of the destination.
    void FrameDraw(Dib::HDC dc, int16_t frameNumber, int16_t left = 0, int16_t top = 0,
                   float scale = 1.0f, bool cropToScreen = false);
    // Rebuilds the frame's mask from its colour bitmap and its colour bitmap's colour
    // table from the frame palette, making transparentIndex transparent when the
    // frame uses a transparent colour.
    void FrameMask(int16_t frameNumber, uint8_t transparentIndex);

    void FrameInsert(int16_t frameNumber, int16_t width, int16_t height);
    void FrameRemove(int16_t frameNumber);
    void FrameMoveUp(int16_t frameNumber);
    void FrameMoveDown(int16_t frameNumber);

    int16_t AnimationLoops() const { return loops_; }
    void SetAnimationLoops(int16_t value) { loops_ = value; }
    int16_t ScreenWidth() const { return screen_.Width; }
    void SetScreenWidth(int16_t value) { screen_.Width = value; }
    int16_t ScreenHeight() const { return screen_.Height; }
    void SetScreenHeight(int16_t value) { screen_.Height = value; }
    uint8_t ScreenBackgroundColorIndex() const { return screen_.BackgroundColorIndex; }
    void SetScreenBackgroundColorIndex(uint8_t value) { screen_.BackgroundColorIndex = value; }
    // (aspect byte + 15) / 64; the byte 0 is not special.
    float ScreenPixelAspectRatio() const;
    // Stores value * 64 - 15 rounded half to even; throws std::overflow_error when that is
    // outside 0 to 255 or not a number, leaving the byte unchanged.
    void SetScreenPixelAspectRatio(float value);

    uint8_t* lpGlobalPalette() { return globalPalette_.data(); }
    // Red + 256 * green + 65536 * blue of a global entry; 0 when there is no global table.
    int32_t GlobalPaletteRGBEntry(uint8_t entry) const;
    bool GlobalPaletteExists() const { return globalPaletteExists_; }
    void SetGlobalPaletteExists(bool value) { globalPaletteExists_ = value; }
    bool GlobalPaletteSorted() const { return globalPaletteSorted_; }
    void SetGlobalPaletteSorted(bool value) { globalPaletteSorted_ = value; }
    int16_t GlobalPaletteEntries() const { return globalPaletteEntries_; }
    void SetGlobalPaletteEntries(int16_t value) { globalPaletteEntries_ = value; }

    int16_t FramesCount() const { return framesCount_; }
    // The frame's own bitmaps, shared (not copies); null for a blank record.
    std::shared_ptr<Dib> FrameDIBXOR(int16_t frameNumber) const {
        return Frame(frameNumber).FrameDIBXOR;
    }
    std::shared_ptr<Dib> FrameDIBAND(int16_t frameNumber) const {
        return Frame(frameNumber).FrameDIBAND;
    }
    int16_t FrameDelay(int16_t frameNumber) const { return Frame(frameNumber).Delay; }
    void SetFrameDelay(int16_t frameNumber, int16_t value) { Frame(frameNumber).Delay = value; }
    bool FrameInterlaced(int16_t frameNumber) const { return Frame(frameNumber).Interlaced; }
    void SetFrameInterlaced(int16_t frameNumber, bool value) {
        Frame(frameNumber).Interlaced = value;
    }
    int16_t FrameLeft(int16_t frameNumber) const { return Frame(frameNumber).Left; }
    void SetFrameLeft(int16_t frameNumber, int16_t value) { Frame(frameNumber).Left = value; }
    int16_t FrameTop(int16_t frameNumber) const { return Frame(frameNumber).Top; }
    void SetFrameTop(int16_t frameNumber, int16_t value) { Frame(frameNumber).Top = value; }
    int32_t FrameDisposalMethod(int16_t frameNumber) const {
        return Frame(frameNumber).DisposalMethod;
    }
    // Throws std::overflow_error for a value outside 0 to 255.
    void SetFrameDisposalMethod(int16_t frameNumber, int32_t value);
    bool FrameUseTransparentColor(int16_t frameNumber) const {
        return Frame(frameNumber).UseTransparentColor;
    }
    void SetFrameUseTransparentColor(int16_t frameNumber, bool value) {
        Frame(frameNumber).UseTransparentColor = value;
    }
    uint8_t FrameTransparentColorIndex(int16_t frameNumber) const {
        return Frame(frameNumber).TransparentColorIndex;
    }
    void SetFrameTransparentColorIndex(int16_t frameNumber, uint8_t value) {
        Frame(frameNumber).TransparentColorIndex = value;
    }
    bool FrameUserInput(int16_t frameNumber) const { return Frame(frameNumber).UserInput; }
    void SetFrameUserInput(int16_t frameNumber, bool value) {
        Frame(frameNumber).UserInput = value;
    }
    // Valid until the frame table is next resized.
    uint8_t* lpLocalPalette(int16_t frameNumber) { return Frame(frameNumber).Palette.data(); }
    // The frame palette's colour, whatever LocalPaletteUsed says.
    int32_t LocalPaletteRGBEntry(int16_t frameNumber, uint8_t entry) const;
    bool LocalPaletteUsed(int16_t frameNumber) const { return Frame(frameNumber).LocalPaletteUsed; }
    void SetLocalPaletteUsed(int16_t frameNumber, bool value) {
        Frame(frameNumber).LocalPaletteUsed = value;
    }
    bool LocalPaletteSorted(int16_t frameNumber) const {
        return Frame(frameNumber).LocalPaletteSorted;
    }
    void SetLocalPaletteSorted(int16_t frameNumber, bool value) {
        Frame(frameNumber).LocalPaletteSorted = value;
    }
    int16_t LocalPaletteEntries(int16_t frameNumber) const {
        return Frame(frameNumber).LocalPaletteEntries;
    }
    void SetLocalPaletteEntries(int16_t frameNumber, int16_t value) {
        Frame(frameNumber).LocalPaletteEntries = value;
    }

  private:
    friend class GifReader;
    friend class GifWriter;

    GifFrame& Frame(int16_t frameNumber);
    const GifFrame& Frame(int16_t frameNumber) const;
    static int32_t RGBEntry(const GifPalette& palette, uint8_t entry);

    std::string signature_;  // header bytes 0 to 2 of the last stream read
    std::string version_;    // header bytes 3 to 5 of the last stream read
    ScreenDescriptor screen_;
    int16_t loops_ = 0;  // repeat count of the looping extension; 0 without one
    bool globalPaletteExists_ = false;
    bool globalPaletteSorted_ = false;
    int16_t globalPaletteEntries_ = 0;
    GifPalette globalPalette_{};
    // Record i holds frame i + 1. Empty in a new object (no table at all); one blank
    // record after Destroy; one record more than FramesCount when the stream ended with a
    // graphic control extension that no image followed.
    std::vector<GifFrame> frames_;
    int16_t framesCount_ = 0;
};
