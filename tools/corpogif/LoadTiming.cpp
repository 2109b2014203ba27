#include "tools/corpogif/LoadTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "gif/GifByteSink.h"
#include "gif/GifImage.h"
#include "gif/GifWriter.h"

namespace corpogif {

namespace {

double FramePixels(const gif::GifImage& gif) {
    double pixels = 0;
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n)
        if (const auto colour = gif.FrameDIBXOR(n))
            pixels += double(colour->Width()) * colour->Height();
    return pixels;
}

// Runs `once` `repeat` times, or for about a second; each run handles `pixels`.
template <typename Run>
LoadTiming TimeRuns(int repeat, double pixels, Run once) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> milliseconds;
    const auto start = Clock::now();
    for (;;) {
        if (repeat > 0 && int(milliseconds.size()) >= repeat) break;
        if (repeat <= 0 && milliseconds.size() >= 3 &&
            Clock::now() - start > std::chrono::seconds(1))
            break;
        const auto before = Clock::now();
        once();
        const auto after = Clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(after - before).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    LoadTiming timing;
    timing.loads = int(milliseconds.size());
    const size_t mid = milliseconds.size() / 2;
    timing.medianMilliseconds = milliseconds.size() % 2
                                    ? milliseconds[mid]
                                    : (milliseconds[mid - 1] + milliseconds[mid]) / 2;
    if (timing.medianMilliseconds > 0)
        timing.megapixelsPerSecond = pixels / 1e6 / (timing.medianMilliseconds / 1000);
    return timing;
}

// Keeps its buffer between encodings, so that the timing is of the encoder, not of growing
// memory.
class ReusedMemorySink : public gif::GifByteSink {
  public:
    void Write(const std::uint8_t* data, size_t count) override {
        bytes.insert(bytes.end(), data, data + count);
    }
    std::vector<std::uint8_t> bytes;
};

}  // namespace

LoadTiming TimeLoads(const std::vector<std::uint8_t>& bytes, int repeat) {
    gif::GifImage probe;
    probe.LoadFromStream(bytes);
    return TimeRuns(repeat, FramePixels(probe), [&] {
        gif::GifImage gif;
        gif.LoadFromStream(bytes);
    });
}

LoadTiming TimeEncodes(gif::GifImage& gif, int repeat) {
    ReusedMemorySink sink;
    return TimeRuns(repeat, FramePixels(gif), [&] {
        sink.bytes.clear();
        gif::GifWriter().Write(gif.Model(), sink);
    });
}

std::string FormatTiming(const std::string& file, const LoadTiming& timing, const char* what) {
    char line[96];
    std::snprintf(line, sizeof line, ": %d %s, median %.3f ms, %.1f Mpx/s", timing.loads, what,
                  timing.medianMilliseconds, timing.megapixelsPerSecond);
    return file + line;
}

}  // namespace corpogif
