#include "gif/LzwDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gif/LittleEndian.h"
#include "gif/RowOrder.h"
#include "platform/CompilerHints.h"

namespace gif {

// Puts decoded pixels into a frame's rows, in stream order, one copy per row segment. Kept
// out of the decoding loop, whose state then fits in registers.
class LzwDecoder::RowWriter {
  public:
    // Rows lie `stride` bytes apart from the view's first; 0 writes them all over one row.
    RowWriter(const PixelView& view, std::int32_t stride, std::int32_t width, bool interlaced)
        : view_(view), stride_(stride), width_(width), rows_(view.height, interlaced) {}

    // Returns false once every row is complete; what comes after is surplus and dropped.
    CORPO_NOINLINE bool Write(const std::uint8_t* source, size_t count) {
        while (count > 0 && !rows_.Done()) {
            const size_t run = std::min(count, static_cast<size_t>(width_ - column_));
            std::uint8_t* const row = view_.bits + static_cast<ptrdiff_t>(rows_.Row()) * stride_;
            std::memcpy(row + column_, source, run);
            source += run;
            count -= run;
            written_ += run;
            column_ += static_cast<std::int32_t>(run);
            if (column_ == width_) {
                column_ = 0;
                rows_.Advance();
            }
        }
        return !rows_.Done();
    }

    std::uint64_t Written() const { return written_; }

  private:
    const PixelView& view_;
    const std::int32_t stride_;
    const std::int32_t width_;
    RowOrder rows_;
    std::int32_t column_ = 0;
    std::uint64_t written_ = 0;
};

struct LzwDecoder::Source {
    const std::uint8_t* data;
    size_t size;
    Input* input;  // where more comes from; none when the data is whole
};

struct LzwDecoder::Progress {
    std::uint32_t clearCode = 0;
    std::uint32_t endCode = 0;
    std::uint32_t rootEnd = 0;
    int initialCodeWidth = 0;

    size_t position = 0;
    std::uint64_t bitBuffer = 0;
    int bitCount = 0;
    int codeWidth = 0;
    std::uint32_t nextSlot = 0;
    std::uint32_t previous = 0;
    std::uint32_t previousEntry = kNoPrevious;
    // The previous string's first byte, for a stretch that begins with the code just added.
    std::uint8_t previousFirst = 0;

    bool rootsApart = false;  // the loop for the next stretch
};

// A full table stays as it is (GIF89a lets an encoder defer the clear code): its adds go to
// the spare slot. Chunk bytes past a string are zero, so the byte goes in with an or.
inline std::uint32_t LzwDecoder::AddString(std::uint32_t slot, std::uint32_t previous,
                                           std::uint32_t previousEntry, std::uint32_t byte) {
    const std::uint32_t inLastChunk = previousEntry & 7;  // 0: the last chunk is full
    const std::uint64_t value = byte;
    std::uint32_t entry;
    if (CORPO_LIKELY(inLastChunk != 0)) {
        StoreLittleEndian64(chunk_[slot],
                            LoadLittleEndian64(chunk_[previous]) | value << (8 * inLastChunk));
        entry = previousEntry + 1;  // one byte longer, the same prefix
    } else {
        StoreLittleEndian64(chunk_[slot], value);
        entry = (Length(previousEntry) + 1) | previous << 16;
    }
    StoreEntry(slot, entry);
    return entry;
}

// Codes come in stretches of about kFlushAt pixels, each decoded by one of two loops. Where
// roots and strings come mixed (most images), one path serves both: a test between them
// would be mispredicted about every other code. Where nearly every code is a root (noise,
// dithering, tiny images), a loop that puts roots out on their own, without the string
// copy, is much quicker. Each stretch takes the loop that suits the codes of the one
// before; the first is judged from the data's size against the pixels it fills. Both loops
// give the same pixels.
std::uint64_t LzwDecoder::Decode(const PixelView& view, std::int32_t width, bool interlaced,
                                 std::uint8_t minimumCodeSize, const std::uint8_t* data,
                                 size_t size) {
    if (view.Empty() || width <= 0 || width > view.bytesPerScanline) return 0;
    Source source{data, size, nullptr};
    return DecodeRows(view, view.bytesPerScanline, width, interlaced, minimumCodeSize, source);
}

std::uint64_t LzwDecoder::Decode(const PixelView& view, std::int32_t width, bool interlaced,
                                 std::uint8_t minimumCodeSize, Input& input) {
    if (view.Empty() || width <= 0 || width > view.bytesPerScanline) return 0;
    Source source{input_, 0, &input};
    return DecodeRows(view, view.bytesPerScanline, width, interlaced, minimumCodeSize, source);
}

std::uint64_t LzwDecoder::CountPixels(std::int32_t width, std::int32_t height,
                                      std::uint8_t minimumCodeSize, Input& input) {
    if (width <= 0 || height <= 0) return 0;
    std::vector<std::uint8_t> row(static_cast<size_t>(width));
    const PixelView view{row.data(), width, height};
    Source source{input_, 0, &input};
    return DecodeRows(view, 0, width, false, minimumCodeSize, source);
}

CORPO_NOINLINE void LzwDecoder::Refill(Progress& progress, Source& source) {
    // Fewer than 8 bytes are left: a stretch stops when a whole word can no longer be read.
    const size_t kept = source.size - progress.position;
    std::memmove(input_, source.data + progress.position, kept);
    const size_t room = kInputPiece - kept;
    const size_t got = source.input->Read(input_ + kept, room);
    source.data = input_;
    source.size = kept + got;
    moreInput_ = got == room;
    progress.position = 0;
}

std::uint64_t LzwDecoder::DecodeRows(const PixelView& view, std::int32_t stride, std::int32_t width,
                                     bool interlaced, std::uint8_t minimumCodeSize,
                                     Source& source) {
    if (minimumCodeSize > kMaxMinimumCodeSize || source.data == nullptr) return 0;

    Progress progress;
    moreInput_ = false;
    if (source.input != nullptr) Refill(progress, source);
    progress.clearCode = 1u << minimumCodeSize;
    progress.endCode = progress.clearCode + 1;
    // With a minimum code size above 8 the roots go past what a pixel byte holds; such a
    // code ends the frame rather than stand for another pixel.
    progress.rootEnd = std::min(progress.clearCode, 256u);
    progress.initialCodeWidth = minimumCodeSize + 1;
    progress.codeWidth = progress.initialCodeWidth;
    // After a clear code (and at the start) the next code must be a root and adds no
    // string. The table is primed so that it needs no test: the string it adds goes into
    // the end code's slot with length 0, and the slot after it is the first real one.
    progress.nextSlot = progress.endCode;

    // A decoder used again keeps the roots of its earlier decodings and adds the missing
    // ones. Every other slot must have length 0 (no string) until this decoding adds one:
    // those that earlier decodings filled are emptied.
    for (; rootsReady_ < progress.rootEnd; ++rootsReady_) {
        StoreLittleEndian64(chunk_[rootsReady_], rootsReady_);
        StoreEntry(rootsReady_, 1);
    }
    rootsReady_ = progress.rootEnd;
    if (lengthsEnd_ > progress.rootEnd)
        std::memset(link_ + progress.rootEnd, 0,
                    (lengthsEnd_ - progress.rootEnd) * sizeof link_[0]);

    // Codes average about the minimum code size + 3 bits (at most 12); data that takes most
    // of what one code a pixel would is mostly roots. Data that comes in pieces is judged by
    // its first one, which errs towards the mixed loop only for the first stretch.
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(width) * static_cast<std::uint32_t>(view.height);
    const std::uint64_t codeBits = std::min<std::uint64_t>(minimumCodeSize + 3u, kMaxCodeWidth);
    progress.rootsApart = static_cast<std::uint64_t>(source.size) * 8 * 3 >= pixels * codeBits * 2;

    // Data that fits the input buffer whole (that of nearly every frame but large stills)
    // takes the loops that know no pieces: a test for the end of a piece, even one never
    // reached, costs the loops a register.
    RowWriter rows(view, stride, width, interlaced);
    if (moreInput_)
        DecodeStretches<true>(progress, source, rows);
    else
        DecodeStretches<false>(progress, source, rows);
    // Slots from the next one on were never filled or have been emptied by a clear code.
    lengthsEnd_ = std::min(progress.nextSlot, kTableSize);
    return rows.Written();
}

template <bool kPieces>
CORPO_NOINLINE void LzwDecoder::DecodeStretches(Progress& progress, Source& source,
                                                RowWriter& rows) {
    for (;;) {
        if (kPieces) starved_ = false;
        const bool more = progress.rootsApart
                              ? DecodeStretch<true, kPieces>(progress, source, rows)
                              : DecodeStretch<false, kPieces>(progress, source, rows);
        if (!more) break;
        if (kPieces && starved_) Refill(progress, source);
    }
}

// The working state lives in locals so that it stays in registers: the pixel stores go
// through byte pointers, which the compiler must otherwise assume to overwrite any member.
// There are barely enough registers, so the loop keeps as few values as it can: the code
// mask also tells when the code width grows, the output is one moving pointer, a code's
// length of 0 sets apart every code that is not a table string, and the loop for the next
// stretch is chosen from the bits and pixels of this one rather than by counting codes.
template <bool kRootsApart, bool kPieces>
bool LzwDecoder::DecodeStretch(Progress& progress, const Source& source, RowWriter& rows) {
    const std::uint8_t* const data = source.data;
    const size_t size = source.size;
    const std::uint32_t clearCode = progress.clearCode;
    const std::uint32_t endCode = progress.endCode;
    const std::uint32_t rootEnd = progress.rootEnd;
    const int initialCodeWidth = progress.initialCodeWidth;

    // Bit reader: codes are packed least significant bit first.
    size_t position = progress.position;
    std::uint64_t bitBuffer = progress.bitBuffer;
    int bitCount = progress.bitCount;
    int codeWidth = progress.codeWidth;
    std::uint32_t codeMask = (1u << codeWidth) - 1;

    std::uint32_t nextSlot = progress.nextSlot;
    std::uint32_t previous = progress.previous;
    std::uint32_t previousEntry = progress.previousEntry;

    // Decoded pixels wait in the buffer until it is moved into the rows.
    std::uint8_t* const pixels = pixels_;
    std::uint8_t* const flushAt = pixels_ + kFlushAt;
    std::uint8_t* out = pixels;

    bool more = false;
    for (;;) {
        if (bitCount < codeWidth) {
            if (position + 8 <= size) {
                bitBuffer |= LoadLittleEndian64(data + position) << bitCount;
                position += static_cast<size_t>(63 - bitCount) >> 3;
                bitCount |= 56;
            } else if (kPieces && moreInput_) {
                starved_ = true;  // the input buffer is refilled and the stretch goes on
                break;
            } else {
                while (bitCount <= 56 && position < size) {
                    bitBuffer |= static_cast<std::uint64_t>(data[position++]) << bitCount;
                    bitCount += 8;
                }
                if (bitCount < codeWidth) break;  // the data ends inside this code
            }
        }
        const std::uint32_t code = static_cast<std::uint32_t>(bitBuffer) & codeMask;
        bitBuffer >>= codeWidth;
        bitCount -= codeWidth;

        // A string is copied in whole chunks, the last one (which goes first) running up to
        // 7 bytes past its end; the next string overwrites them. Returns the string's first
        // chunk, the one written last, whose low byte is the string's first byte. A string
        // of one chunk (most of them) is a single store; a longer one takes its first link
        // from the entry already loaded.
        std::uint32_t entry;  // of this code
        const auto expand = [&]() -> std::uint64_t {
            const std::uint32_t length = Length(entry);
            const std::uint64_t last = LoadLittleEndian64(chunk_[code]);
            if (CORPO_LIKELY(length <= 8)) {
                StoreLittleEndian64(out, last);
                return last;
            }
            std::uint32_t link = entry >> 16;
            std::uint8_t* p = out + ((length - 1u) & ~7u);
            StoreLittleEndian64(p, last);
            for (;;) {
                p -= 8;
                const std::uint64_t value = LoadLittleEndian64(chunk_[link]);
                StoreLittleEndian64(p, value);
                if (p == out) return value;
                link = link_[link].prefix;
            }
        };
        if (kRootsApart && code < rootEnd) {
            // A root: one pixel.
            *out = static_cast<std::uint8_t>(code);
            entry = 1;
            AddString(nextSlot, previous, previousEntry, code);
        } else if (CORPO_LIKELY(Length(entry = LoadEntry(code)) != 0)) {
            // A root or a table string: the table gains the previous string plus this
            // one's first byte.
            AddString(nextSlot, previous, previousEntry, static_cast<std::uint8_t>(expand()));
        } else if (code == nextSlot && previousEntry != kNoPrevious) {
            // The code the encoder has just added: the previous string plus its own first
            // byte. A long one is copied from where the previous string was put out (the
            // highest chunk first, each read where a chunk of it was written) instead of
            // along its chain.
            const std::uint32_t previousLength = Length(previousEntry);
            const size_t before = static_cast<size_t>(out - pixels);
            if (before >= previousLength) {
                const std::uint8_t* const earlier = out - previousLength;
                entry = AddString(nextSlot, previous, previousEntry, *earlier);
                if (previousLength >= 8) {
                    for (std::uint32_t at = (previousLength - 1) & ~7u;; at -= 8) {
                        StoreLittleEndian64(out + at, LoadLittleEndian64(earlier + at));
                        if (at == 0) break;
                    }
                    out[previousLength] = *earlier;
                } else {
                    expand();
                }
            } else {
                entry = AddString(nextSlot, previous, previousEntry, progress.previousFirst);
                expand();
            }
        } else if (code == clearCode) {
            // Slots filled since the last clear code are emptied again.
            if (nextSlot > endCode + 1)
                std::memset(link_ + endCode + 1, 0, (nextSlot - endCode - 1) * sizeof link_[0]);
            codeWidth = initialCodeWidth;
            codeMask = (1u << codeWidth) - 1;
            nextSlot = endCode;
            previous = 0;
            previousEntry = kNoPrevious;
            continue;
        } else {
            // The end code, a root beyond a byte, a code past the table (corrupt data).
            break;
        }
        // Codes widen as soon as the next slot cannot be named at the current width. A full
        // table keeps its last slot as the next one, whose adds go to the spare slot.
        if (++nextSlot > codeMask) {
            if (codeWidth < kMaxCodeWidth) {
                ++codeWidth;
                codeMask = codeMask * 2 + 1;
            } else {
                nextSlot = kTableSize;
            }
        }

        previous = code;
        previousEntry = entry;
        out += Length(entry);
        if (out >= flushAt) {
            more = true;
            break;
        }
    }
    // Nearly all roots: at most about one and a half pixels for each code, taken as the
    // bits read over the present code width.
    const std::uint64_t bits = (position - progress.position) * 8 + progress.bitCount - bitCount;
    const std::uint64_t written = static_cast<std::uint64_t>(out - pixels);
    // A stretch cut short by the end of a piece says too little about the codes, and the
    // next one goes on in the same loop.
    if (!kPieces || !starved_)
        progress.rootsApart = written * 2 * static_cast<std::uint32_t>(codeWidth) <= bits * 3;
    progress.position = position;
    progress.bitBuffer = bitBuffer;
    progress.bitCount = bitCount;
    progress.codeWidth = codeWidth;
    progress.nextSlot = nextSlot;
    progress.previous = previous;
    const std::uint32_t previousLength = Length(previousEntry);
    if (written >= previousLength)
        progress.previousFirst = out[-static_cast<ptrdiff_t>(previousLength)];
    progress.previousEntry = previousEntry;
    return rows.Write(pixels, static_cast<size_t>(written)) && (more || (kPieces && starved_));
}

}  // namespace gif
