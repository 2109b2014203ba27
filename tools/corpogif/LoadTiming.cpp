#include "tools/corpogif/LoadTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "gif/GifImage.h"

namespace {

double FramePixels(const GifImage& gif) {
    double pixels = 0;
    for (int16_t n = 1; n <= gif.FramesCount(); ++n)
        if (const auto colour = gif.FrameDIBXOR(n))
            pixels += double(colour->Width()) * colour->Height();
    return pixels;
}

}  // namespace

LoadTiming TimeLoads(const std::vector<uint8_t>& bytes, int repeat) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> milliseconds;
    double pixels = 0;
    const auto start = Clock::now();
    for (;;) {
        if (repeat > 0 && int(milliseconds.size()) >= repeat) break;
        if (repeat <= 0 && milliseconds.size() >= 3 &&
            Clock::now() - start > std::chrono::seconds(1))
            break;
        GifImage gif;
        const auto before = Clock::now();
        gif.LoadFromStream(bytes);
        const auto after = Clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(after - before).count());
        pixels = FramePixels(gif);
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

std::string FormatTiming(const std::string& file, const LoadTiming& timing) {
    char line[64];
    std::snprintf(line, sizeof line, ": %d loads, median %.3f ms, %.1f Mpx/s", timing.loads,
                  timing.medianMilliseconds, timing.megapixelsPerSecond);
    return file + line;
}
