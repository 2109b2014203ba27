// Whatever the reader makes of arbitrary bytes, the writer either refuses it or writes a
// file that reads back to the same frames: sizes, placement, timing, transparency and every
// colour index, also indices past the frame's colour table.

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "gif/GifByteSink.h"
#include "gif/GifImage.h"
#include "gif/GifReader.h"
#include "gif/GifWriter.h"

namespace {

constexpr std::uint64_t kBudget = std::uint64_t{4} << 20;  // keeps each run quick

class MemorySink : public gif::GifByteSink {
  public:
    void Write(const std::uint8_t* data, size_t count) override {
        bytes.insert(bytes.end(), data, data + count);
    }
    std::vector<std::uint8_t> bytes;
};

bool SameFrame(gif::GifImage& a, gif::GifImage& b, std::int16_t n) {
    if (a.FrameLeft(n) != b.FrameLeft(n) || a.FrameTop(n) != b.FrameTop(n) ||
        a.FrameInterlaced(n) != b.FrameInterlaced(n) || a.FrameDelay(n) != b.FrameDelay(n) ||
        a.FrameDisposalMethod(n) != b.FrameDisposalMethod(n) ||
        a.FrameUseTransparentColor(n) != b.FrameUseTransparentColor(n))
        return false;
    const dib::Dib& x = *a.FrameDIBXOR(n);
    const dib::Dib& y = *b.FrameDIBXOR(n);
    if (x.lpBits() == nullptr) return y.lpBits() == nullptr || x.Width() == 0;
    if (x.Width() != y.Width() || x.Height() != y.Height() || y.lpBits() == nullptr) return false;
    for (std::int32_t row = 0; row < x.Height(); ++row) {
        if (!std::equal(x.lpBits() + row * x.BytesPerScanline(),
                        x.lpBits() + row * x.BytesPerScanline() + x.Width(),
                        y.lpBits() + row * y.BytesPerScanline()))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    gif::GifImage gif;
    try {
        if (gif::GifReader(kBudget).Read(data, size, gif.Model()) != gif::GifLoadStatus::Loaded)
            return 0;
    } catch (const std::out_of_range&) {
        return 0;  // too short for the header
    }
    MemorySink first;
    try {
        gif::GifWriter().Write(gif.Model(), first);
    } catch (const std::exception&) {
        return 0;  // refused: a value that does not fit the format
    }
    gif::GifImage again;
    const std::uint8_t* bytes = first.bytes.data();
    if (gif::GifReader(kBudget).Read(bytes, first.bytes.size(), again.Model()) !=
        gif::GifLoadStatus::Loaded)
        __builtin_trap();
    if (again.FramesCount() != gif.FramesCount()) __builtin_trap();
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n) {
        if (!SameFrame(gif, again, n)) __builtin_trap();
    }
    return 0;
}
