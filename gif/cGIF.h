#pragma once
// One GIF image in memory: the logical screen, the optional global colour table, the
// animation loop count and a table of frames numbered from 1. Loading (GifReader.cpp),
// frame rendering (cGIFFrameRendering.cpp), writing and frame list editing work on it.
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

#include "GIFFrame.h"
#include "ScreenDescriptor.h"
#include "dib/cDIB.h"

class cGIF {
  public:
    cGIF() = default;
    ~cGIF();
    cGIF(const cGIF&) = delete;
    cGIF& operator=(const cGIF&) = delete;

    // Reads a whole GIF file; false when it is missing, empty, unreadable or not a GIF.
    bool LoadFromFile(const std::string& FileName);
    // Strict about the 6-byte header, lenient after it: once the header is accepted the
    // result is true and damaged content costs only what cannot be read. Throws
    // std::out_of_range when the signature or version would begin past the end.
    bool LoadFromStream(const std::vector<uint8_t>& stream);
    bool LoadFromStream(const uint8_t* stream, size_t size);
    bool Save(const std::string& FileName);
    void Destroy();

    // Draws frame nFrame with its transparency, its position and size scaled by
    // ScaleFactor, the logical screen's top-left corner at (Left, Top) of the destination.
    void FrameDraw(cDIB::HDC hDC, int16_t nFrame, int16_t Left = 0, int16_t Top = 0,
                   float ScaleFactor = 1.0f, bool ScreenCrop = false);
    // Rebuilds the frame's mask from its colour bitmap and its colour bitmap's colour
    // table from the frame palette, making TransparentColorIndex transparent when the
    // frame uses a transparent colour.
    void FrameMask(int16_t nFrame, uint8_t TransparentColorIndex);

    void FrameInsert(int16_t nFrame, int16_t Width, int16_t Height);
    void FrameRemove(int16_t nFrame);
    void FrameMoveUp(int16_t nFrame);
    void FrameMoveDown(int16_t nFrame);

    int16_t AnimationLoops() const { return loops_; }
    void SetAnimationLoops(int16_t New_AnimationLoops) { loops_ = New_AnimationLoops; }
    int16_t ScreenWidth() const { return screen_.Width; }
    void SetScreenWidth(int16_t New_ScreenWidth) { screen_.Width = New_ScreenWidth; }
    int16_t ScreenHeight() const { return screen_.Height; }
    void SetScreenHeight(int16_t New_ScreenHeight) { screen_.Height = New_ScreenHeight; }
    uint8_t ScreenBackgroundColorIndex() const { return screen_.BackgroundColorIndex; }
    void SetScreenBackgroundColorIndex(uint8_t New_ScreenBackgroundColorIndex) {
        screen_.BackgroundColorIndex = New_ScreenBackgroundColorIndex;
    }
    // (aspect byte + 15) / 64; the byte 0 is not special.
    float ScreenPixelAspectRatio() const;
    // Stores value * 64 - 15 rounded half to even; throws std::overflow_error when that is
    // outside 0 to 255 or not a number, leaving the byte unchanged.
    void SetScreenPixelAspectRatio(float New_ScreenPixelAspectRatio);

    uint8_t* lpGlobalPalette() { return globalPalette_.data(); }
    // Red + 256 * green + 65536 * blue of a global entry; 0 when there is no global table.
    int32_t GlobalPaletteRGBEntry(uint8_t nEntry) const;
    bool GlobalPaletteExists() const { return globalPaletteExists_; }
    void SetGlobalPaletteExists(bool New_GlobalPaletteExists) {
        globalPaletteExists_ = New_GlobalPaletteExists;
    }
    bool GlobalPaletteSorted() const { return globalPaletteSorted_; }
    void SetGlobalPaletteSorted(bool New_GlobalPaletteSorted) {
        globalPaletteSorted_ = New_GlobalPaletteSorted;
    }
    int16_t GlobalPaletteEntries() const { return globalPaletteEntries_; }
    void SetGlobalPaletteEntries(int16_t New_GlobalPaletteEntries) {
        globalPaletteEntries_ = New_GlobalPaletteEntries;
    }

    int16_t FramesCount() const { return framesCount_; }
    // The frame's own bitmaps, shared (not copies); null for a blank record.
    std::shared_ptr<cDIB> FrameDIBXOR(int16_t nFrame) const { return Frame(nFrame).FrameDIBXOR; }
    std::shared_ptr<cDIB> FrameDIBAND(int16_t nFrame) const { return Frame(nFrame).FrameDIBAND; }
    int16_t FrameDelay(int16_t nFrame) const { return Frame(nFrame).Delay; }
    void SetFrameDelay(int16_t nFrame, int16_t New_Delay) { Frame(nFrame).Delay = New_Delay; }
    bool FrameInterlaced(int16_t nFrame) const { return Frame(nFrame).Interlaced; }
    void SetFrameInterlaced(int16_t nFrame, bool New_Interlaced) {
        Frame(nFrame).Interlaced = New_Interlaced;
    }
    int16_t FrameLeft(int16_t nFrame) const { return Frame(nFrame).Left; }
    void SetFrameLeft(int16_t nFrame, int16_t New_FrameLeft) { Frame(nFrame).Left = New_FrameLeft; }
    int16_t FrameTop(int16_t nFrame) const { return Frame(nFrame).Top; }
    void SetFrameTop(int16_t nFrame, int16_t New_FrameTop) { Frame(nFrame).Top = New_FrameTop; }
    int32_t FrameDisposalMethod(int16_t nFrame) const { return Frame(nFrame).DisposalMethod; }
    // Throws std::overflow_error for a value outside 0 to 255.
    void SetFrameDisposalMethod(int16_t nFrame, int32_t New_DisposalMethod);
    bool FrameUseTransparentColor(int16_t nFrame) const {
        return Frame(nFrame).UseTransparentColor;
    }
    void SetFrameUseTransparentColor(int16_t nFrame, bool New_UseTransparentColor) {
        Frame(nFrame).UseTransparentColor = New_UseTransparentColor;
    }
    uint8_t FrameTransparentColorIndex(int16_t nFrame) const {
        return Frame(nFrame).TransparentColorIndex;
    }
    void SetFrameTransparentColorIndex(int16_t nFrame, uint8_t New_TransparentColorIndex) {
        Frame(nFrame).TransparentColorIndex = New_TransparentColorIndex;
    }
    bool FrameUserInput(int16_t nFrame) const { return Frame(nFrame).UserInput; }
    void SetFrameUserInput(int16_t nFrame, bool New_FrameUserInput) {
        Frame(nFrame).UserInput = New_FrameUserInput;
    }
    // Valid until the frame table is next resized.
    uint8_t* lpLocalPalette(int16_t nFrame) { return Frame(nFrame).Palette.data(); }
    // The frame palette's colour, whatever LocalPaletteUsed says.
    int32_t LocalPaletteRGBEntry(int16_t nFrame, uint8_t nEntry) const;
    bool LocalPaletteUsed(int16_t nFrame) const { return Frame(nFrame).LocalPaletteUsed; }
    void SetLocalPaletteUsed(int16_t nFrame, bool New_LocalPaletteUsed) {
        Frame(nFrame).LocalPaletteUsed = New_LocalPaletteUsed;
    }
    bool LocalPaletteSorted(int16_t nFrame) const { return Frame(nFrame).LocalPaletteSorted; }
    void SetLocalPaletteSorted(int16_t nFrame, bool New_LocalPaletteSorted) {
        Frame(nFrame).LocalPaletteSorted = New_LocalPaletteSorted;
    }
    int16_t LocalPaletteEntries(int16_t nFrame) const { return Frame(nFrame).LocalPaletteEntries; }
    void SetLocalPaletteEntries(int16_t nFrame, int16_t New_LocalPaletteEntries) {
        Frame(nFrame).LocalPaletteEntries = New_LocalPaletteEntries;
    }

  private:
    friend class GifReader;
    friend class GifWriter;

    GIFFrame& Frame(int16_t nFrame);
    const GIFFrame& Frame(int16_t nFrame) const;
    static int32_t RGBEntry(const GIFPalette& palette, uint8_t nEntry);

    std::string signature_;  // header bytes 0 to 2 of the last stream read
    std::string version_;    // header bytes 3 to 5 of the last stream read
    ScreenDescriptor screen_;
    int16_t loops_ = 0;  // repeat count of the looping extension; 0 without one
    bool globalPaletteExists_ = false;
    bool globalPaletteSorted_ = false;
    int16_t globalPaletteEntries_ = 0;
    GIFPalette globalPalette_{};
    // Record i holds frame i + 1. Empty in a new object (no table at all); one blank
    // record after Destroy; one record more than FramesCount when the stream ended with a
    // graphic control extension that no image followed.
    std::vector<GIFFrame> frames_;
    int16_t framesCount_ = 0;
};
