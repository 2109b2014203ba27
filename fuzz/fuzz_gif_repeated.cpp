// Short inputs made into long GIF streams, for what arbitrary bytes of fuzzing length never
// reach: an animation of tens of thousands of frames (past the frame limit), and a frame whose
// data runs past the decoder's 64 KB input piece. The input's first bytes say how:
//   byte 0: bit 0 clear, one block repeated; set, one frame whose data is repeated
//   bytes 1-2: the repeat count (little-endian)
//   byte 3: the size of the data sub-blocks (1 to 255, 0 read as 255), for repeated data
//   the rest: the block (frames: any blocks, repeated after a 1 x 1 screen with a 4-entry
//   table); or, for repeated data, an image descriptor (9 bytes), a minimum code size and
//   the data bytes to repeat.
// The load keeps at most 32767 frames and says what it lost: a frame whose data does not
// fill it, or a frame past the limit, makes the load incomplete.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "dib/Dib.h"
#include "gif/GifImage.h"
#include "gif/GifReader.h"

namespace {

constexpr size_t kLongestStream = size_t{4} << 20;

std::vector<std::uint8_t> Expand(const std::uint8_t* data, size_t size) {
    std::vector<std::uint8_t> stream;
    if (size < 4) return stream;
    const bool repeatData = (data[0] & 1) != 0;
    const size_t count = static_cast<size_t>(data[1] | data[2] << 8);
    const size_t subBlock = data[3] == 0 ? 255 : data[3];
    const std::uint8_t* rest = data + 4;
    const size_t restSize = size - 4;
    const std::uint8_t screen[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x81, 0, 0,
                                   0,   0,   0,   255, 0,   0,   0, 255, 0, 0, 0, 255};
    stream.assign(screen, screen + sizeof screen);
    if (!repeatData) {
        for (size_t i = 0; i < count && stream.size() + restSize <= kLongestStream; ++i)
            stream.insert(stream.end(), rest, rest + restSize);
    } else {
        constexpr size_t kHead = 10;  // separator excluded: descriptor, minimum code size
        if (restSize < kHead) return stream;
        stream.push_back(0x2C);
        stream.insert(stream.end(), rest, rest + kHead);
        std::vector<std::uint8_t> payload;
        for (size_t i = 0; i < count && payload.size() + restSize - kHead <= kLongestStream; ++i)
            payload.insert(payload.end(), rest + kHead, rest + restSize);
        for (size_t at = 0; at < payload.size(); at += subBlock) {
            const size_t length = std::min(subBlock, payload.size() - at);
            stream.push_back(static_cast<std::uint8_t>(length));
            stream.insert(stream.end(), payload.begin() + static_cast<std::ptrdiff_t>(at),
                          payload.begin() + static_cast<std::ptrdiff_t>(at + length));
        }
        stream.push_back(0);
    }
    stream.push_back(0x3B);
    return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::vector<std::uint8_t> stream = Expand(data, size);
    if (stream.empty()) return 0;
    gif::GifLoadLimits limits;
    limits.frameBitmapBytes = std::uint64_t{4} << 20;  // quick runs; the limit is exercised too
    gif::GifImage gif;
    gif.SetLoadLimits(limits);
    if (!gif.LoadFromStream(stream)) __builtin_trap();  // the header is always right
    if (gif.FramesCount() < 0 || gif.FramesCount() > gif::kMostFrames) __builtin_trap();
    const bool complete = gif.LoadDamage().empty();
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n) {
        const gif::GifFrame& frame = gif.Model().frames.at(static_cast<size_t>(n) - 1);
        if (gif.FrameWidth(n) != frame.width || gif.FrameHeight(n) != frame.height)
            __builtin_trap();
        const std::uint64_t pixels = std::uint64_t{frame.width} * frame.height;
        // Complete means every frame's pixels are there.
        if (complete && frame.pixelsRead != pixels) __builtin_trap();
        const auto colours = gif.FrameDIBXOR(n);
        if (colours && colours->hDIB() != nullptr &&
            (colours->Width() != frame.width || colours->Height() != frame.height))
            __builtin_trap();
    }
    return 0;
}
