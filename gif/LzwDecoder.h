#pragma once
// Decompresses the LZW image data of one GIF frame into 8-bit colour indices, written
// straight into a bitmap's rows. The data comes whole, or a piece at a time from an Input (a
// frame's data sub-blocks, copied into a small buffer of the decoder's as it needs them, so
// that no copy of the whole data is made).
//
// Each table string is kept as a chain of 8-byte chunks: a code's own chunk holds the last
// 1 to 8 bytes of its string and its prefix names the code of everything before them, so
// that a string is copied 8 bytes at a time instead of one pixel per step. Strings are
// decoded into a small private buffer, where each copy may run past its end, and the
// buffer goes into the rows with one copy per row segment: the bitmap is only written, once,
// and only with decoded pixels.
//
// The decoder never reports an error: whatever stops it (the end code, the end of the
// data, a corrupt code, every row complete) ends the frame, and what has been written stays.
// One object holds the working state of one decoding at a time; separate objects may
// decode side by side.

#include <cstddef>
#include <cstdint>

#include "gif/PixelView.h"

namespace gif {

class LzwDecoder {
  public:
    // GIF codes are at most 12 bits wide, so the table has 4096 slots.
    static constexpr int kMaxCodeWidth = 12;
    static constexpr std::uint32_t kTableSize = 1u << kMaxCodeWidth;
    // The clear code (2 to the minimum code size) must leave room in the table for itself
    // and the end code; larger minimum code sizes are not LZW data we can decode.
    static constexpr int kMaxMinimumCodeSize = 11;

    // The tables are left uninitialised: a decoding only reads the roots and the slots it
    // has written itself, and the first one empties every other slot.
    LzwDecoder() {}
    // A decoder made in memory that holds only zeros (the program's zeroed data, pages new
    // from the system) finds every slot empty: its first decoding clears nothing and touches
    // only the pages of the slots it fills, as a small image's load in a new process should.
    struct InZeroedMemory {};
    explicit LzwDecoder(InZeroedMemory) : lengthsEnd_(0) {}

    // Where the compressed bytes of a frame come from, a piece at a time.
    class Input {
      public:
        // Copies the next bytes of the data into `into`, as many as there are up to `room`;
        // fewer than `room` only once the data ends.
        virtual size_t Read(std::uint8_t* into, size_t room) = 0;

      protected:
        ~Input() = default;
    };

    // Writes width pixels into each row of the view, rows in stream order (sequential or
    // interlaced). Pixels the data does not reach keep what the bitmap held. Returns how
    // many pixels were written: the first ones in stream order. Reads no more of the
    // input than the pixels need.
    std::uint64_t Decode(const PixelView& view, std::int32_t width, bool interlaced,
                         std::uint8_t minimumCodeSize, const std::uint8_t* data, size_t size);
    std::uint64_t Decode(const PixelView& view, std::int32_t width, bool interlaced,
                         std::uint8_t minimumCodeSize, Input& input);
    // How many pixels Decode would write into a width x height frame, without a bitmap:
    // every row goes over one row of scratch memory.
    std::uint64_t CountPixels(std::int32_t width, std::int32_t height, std::uint8_t minimumCodeSize,
                              Input& input);

    // The input is taken in pieces of this many bytes: the data of most frames but large
    // stills comes whole in one.
    static constexpr size_t kInputPiece = 65536;

  private:
    // The slot after the last one takes the strings a full table no longer keeps, so that
    // adding one needs no test.
    static constexpr std::uint32_t kSlots = kTableSize + 1;
    // The buffer is moved into the rows once it holds this many pixels; past that it has
    // room for the longest string and a chunk's overshoot.
    static constexpr size_t kFlushAt = 4096;
    // The previous string's entry after a clear code (and at the start): the string added
    // then goes into the end code's slot with length 0, naming nothing.
    static constexpr std::uint32_t kNoPrevious = 0xFFFF;

    struct Progress;  // what a decoding carries from one stretch of codes to the next
    struct Source;    // the data being decoded
    class RowWriter;  // moves decoded pixels into the frame's rows

    std::uint64_t DecodeRows(const PixelView& view, std::int32_t stride, std::int32_t width,
                             bool interlaced, std::uint8_t minimumCodeSize, Source& source);
    // Moves the bytes not yet read to the input buffer's start and fills the rest of it.
    void Refill(Progress& progress, Source& source);

    // Decodes stretch after stretch until the frame is done.
    template <bool kPieces>
    void DecodeStretches(Progress& progress, Source& source, RowWriter& rows);
    // Decodes codes until about kFlushAt pixels have been moved into the rows; false once
    // the frame is done. kRootsApart chooses the loop that puts roots out on their own;
    // kPieces, the one for data that comes in more than one piece.
    template <bool kRootsApart, bool kPieces>
    bool DecodeStretch(Progress& progress, const Source& source, RowWriter& rows);
    // A slot's entry as one number: its string's length in the low 16 bits, its prefix in
    // the high ones.
    static std::uint32_t Length(std::uint32_t entry) { return entry & 0xFFFF; }
    std::uint32_t LoadEntry(std::uint32_t slot) const {
        return link_[slot].length | static_cast<std::uint32_t>(link_[slot].prefix) << 16;
    }
    void StoreEntry(std::uint32_t slot, std::uint32_t entry) {
        link_[slot] =
            Link{static_cast<std::uint16_t>(entry), static_cast<std::uint16_t>(entry >> 16)};
    }
    // Adds the previous string plus one byte in the slot; returns the slot's entry.
    std::uint32_t AddString(std::uint32_t slot, std::uint32_t previous, std::uint32_t previousEntry,
                            std::uint32_t byte);

    // The members come in the order a small frame's decoding first touches them, so that
    // it touches few pages of the object (each new page costs a fresh process a fault):
    // the flags and the start of the input share the first page, then the pixel buffer,
    // the chunks and the links start a page each.
    std::uint32_t rootsReady_ = 0;           // slots below this hold their one-byte root string
    std::uint32_t lengthsEnd_ = kTableSize;  // slots from this one on have length 0
    // Whether more input is to come, and whether a stretch stopped for want of it, are
    // members: the decoding loop has no register to spare for them, and reaches members
    // through the tables' base.
    bool moreInput_ = false;
    bool starved_ = false;
    // The input's latest piece.
    std::uint8_t input_[kInputPiece];
    std::uint8_t pixels_[kFlushAt + kTableSize + 8];

    // The string table. Slots below the clear code are the one-byte roots. A slot that
    // names no string (the clear and end codes, roots beyond a byte, slots not yet filled)
    // has length 0, so that one test sets apart every code that is not a string. The
    // length and the prefix sit side by side, so that one load or store serves both.
    struct Link {
        std::uint16_t length;
        std::uint16_t prefix;  // the slot that holds the string before the last chunk
    };
    // On whole 8 bytes, so that no chunk's load or store spans two cache lines.
    alignas(8) std::uint8_t chunk_[kSlots][8];
    Link link_[kSlots];
};

}  // namespace gif
