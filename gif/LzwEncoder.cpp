#include "gif/LzwEncoder.h"

#include <cstring>
#include <stdexcept>

#include "gif/RowOrder.h"

namespace {

using Slot = LzwEncoder::Slot;
constexpr int32_t kTableSize = LzwEncoder::kTableSize;
constexpr int kHashShift = 4;         // 8 minus the doublings from 5003 up to 65536
constexpr int kPixelKeyShift = 12;    // key = pixel * 4096 + prefix code
constexpr int32_t kCodeLimit = 4096;  // codes are at most 12 bits wide
constexpr int kMaxCodeWidth = 12;
constexpr int kBlockDataLimit = 254;
constexpr int kMinInitialWidth = 3;  // GIF's minimum code size is at least 2
constexpr int kMaxInitialWidth = 9;  // minimum code size 8: a byte per index

// 2^i - 1: the valid low bits of the accumulator when it holds i pending bits.
constexpr uint32_t kCodeMasks[17] = {0,   1,    3,    7,    15,   31,    63,    127,  255,
                                     511, 1023, 2047, 4095, 8191, 16383, 32767, 65535};

// Packs codes least significant bit first into bytes, and bytes into sub-blocks.
class CodePacker {
  public:
    CodePacker(GifByteSink& out, uint8_t* block, int initialWidth)
        : out_(out),
          block_(block),
          initialWidth_(initialWidth),
          codeWidth_(initialWidth),
          widthLimit_((1 << initialWidth) - 1),
          endCode_((1 << (initialWidth - 1)) + 1) {}

    void ScheduleWidthReset() { clearPending_ = true; }

    // Writes `code` at the current width, then widens the code (or, after a clear, narrows
    // it back) for the codes that follow, as a decoder that has just read it expects.
    void Emit(int32_t code, int32_t nextCode) {
        // Only a pixel index equal to the end code, sent as a code of its own, can leave
        // the count negative (the end code flushes whole bytes); the encoder stops there.
        if (bitCount_ < 0) throw std::out_of_range("LZW encoder: bit count out of range");
        accumulator_ &= kCodeMasks[bitCount_];
        accumulator_ |= static_cast<uint32_t>(code) << bitCount_;
        bitCount_ += codeWidth_;
        while (bitCount_ >= 8) {
            PutByte(static_cast<uint8_t>(accumulator_));
            accumulator_ >>= 8;
            bitCount_ -= 8;
        }
        if (nextCode > widthLimit_ || clearPending_) {
            if (clearPending_) {
                codeWidth_ = initialWidth_;
                widthLimit_ = (1 << initialWidth_) - 1;
                clearPending_ = false;
            } else {
                ++codeWidth_;
                widthLimit_ = codeWidth_ == kMaxCodeWidth ? kCodeLimit : (1 << codeWidth_) - 1;
            }
        }
        if (code == endCode_) {
            while (bitCount_ > 0) {
                PutByte(static_cast<uint8_t>(accumulator_));
                accumulator_ >>= 8;
                bitCount_ -= 8;
            }
            FlushBlock();
        }
    }

  private:
    void PutByte(uint8_t byte) {
        block_[++fill_] = byte;
        if (fill_ == kBlockDataLimit) FlushBlock();
    }

    void FlushBlock() {
        if (fill_ == 0) return;
        block_[0] = static_cast<uint8_t>(fill_);
        const size_t count = static_cast<size_t>(fill_) + 1;
        fill_ = 0;
        out_.Write(block_, count);
    }

    GifByteSink& out_;
    uint8_t* block_;
    int fill_ = 0;
    uint32_t accumulator_ = 0;
    int bitCount_ = 0;
    const int initialWidth_;
    int codeWidth_;
    int32_t widthLimit_;
    const int32_t endCode_;
    bool clearPending_ = false;
};

// Looks `key` up; on a miss returns the slot the new string goes into. The first probe
// takes only negative keys as empty, the repeated probe keys <= 0: a key-0 string (pixel
// 0 after code 0) met by a later probe is overwritten and later gets a second code. The
// output stays valid, and keeps the bytes this encoder has always written.
inline Slot* FindSlot(Slot* table, int32_t pixel, int32_t prefix, int32_t key, bool& found) {
    int32_t index = (pixel << kHashShift) ^ prefix;
    Slot* slot = table + index;
    if (slot->key == key) {
        found = true;
        return slot;
    }
    found = false;
    if (slot->key < 0) return slot;
    const int32_t step = index == 0 ? 1 : kTableSize - index;
    for (;;) {
        index -= step;
        if (index < 0) index += kTableSize;
        slot = table + index;
        if (slot->key == key) {
            found = true;
            return slot;
        }
        if (slot->key <= 0) return slot;
    }
}

}  // namespace

void LzwEncoder::ClearTable() {
    // All bytes 0xFF make every key -1.
    std::memset(table_, 0xFF, sizeof table_);
}

void LzwEncoder::Encode(GifByteSink& out, const IndexRows& pixels, uint8_t initialWidth,
                        bool interlaced) {
    if (pixels.firstRow == nullptr || pixels.width < 1 || pixels.height < 1) return;
    if (initialWidth < kMinInitialWidth || initialWidth > kMaxInitialWidth) return;

    Slot* const table = table_;
    const int32_t clearCode = 1 << (initialWidth - 1);
    const int32_t endCode = clearCode + 1;
    int32_t nextCode = clearCode + 2;
    CodePacker packer(out, block_, initialWidth);
    ClearTable();
    packer.Emit(clearCode, nextCode);

    RowOrder rows(pixels.height, interlaced);
    const uint8_t* pixel = pixels.firstRow;
    const uint8_t* rowEnd = pixel + pixels.width;
    int32_t prefix = *pixel++;
    for (;;) {
        for (; pixel != rowEnd; ++pixel) {
            const int32_t c = *pixel;
            const int32_t key = (c << kPixelKeyShift) + prefix;
            bool found;
            Slot* slot = FindSlot(table, c, prefix, key, found);
            if (found) {
                prefix = slot->code;
                continue;
            }
            packer.Emit(prefix, nextCode);
            prefix = c;
            if (nextCode < kCodeLimit) {
                slot->code = nextCode++;
                slot->key = key;
            } else {
                // Every code is taken: start a new table and tell the decoder so.
                ClearTable();
                nextCode = clearCode + 2;
                packer.ScheduleWidthReset();
                packer.Emit(clearCode, nextCode);
            }
        }
        rows.Advance();
        if (rows.Done()) break;
        pixel = pixels.firstRow + rows.Row() * pixels.stride;
        rowEnd = pixel + pixels.width;
    }
    packer.Emit(prefix, nextCode);
    packer.Emit(endCode, nextCode);
}
