// The cost of one animation tick of the GIF viewer: composing the next frame over the
// canvas, its disposal, and painting the display buffer into the client area. A banner
// (468 x 60, small transparent frames over a full first frame) and a full-HD animation
// (1920 x 1080, every frame full-size and opaque).

#include <benchmark/benchmark.h>

#include <vector>

#include "TestGifBuilder.h"
#include "controls/GifViewer.h"
#include "controls/MemoryViewerHost.h"

namespace {

std::vector<std::uint32_t> GreyRamp() {
    std::vector<std::uint32_t> palette(256);
    for (std::uint32_t i = 0; i < 256; ++i)
        palette[i] = i << 16 | i << 8 | i;
    return palette;
}

testgif::Frame PatternFrame(int left, int top, int width, int height, int seed, int disposal,
                            int transparentIndex) {
    testgif::Frame frame = testgif::SolidFrame(left, top, width, height, 0, /*delay=*/10, disposal);
    for (size_t i = 0; i < frame.indices.size(); ++i) {
        frame.indices[i] =
            static_cast<std::uint8_t>((i / 7 + static_cast<size_t>(seed) * 31) % 256);
    }
    frame.transparentIndex = transparentIndex;
    return frame;
}

// A typical advertising banner: one full frame, then moving pieces with transparency,
// one of them cleared to the background afterwards.
std::vector<std::uint8_t> BannerGif() {
    std::vector<testgif::Frame> frames = {PatternFrame(0, 0, 468, 60, 0, 1, -1)};
    for (int i = 1; i < 12; ++i) {
        frames.push_back(PatternFrame(i * 20, 5, 200, 50, i, i % 4 == 0 ? 2 : 1, 3));
    }
    return testgif::Build(468, 60, GreyRamp(), frames);
}

std::vector<std::uint8_t> FullHdGif() {
    std::vector<testgif::Frame> frames;
    for (int i = 0; i < 6; ++i)
        frames.push_back(PatternFrame(0, 0, 1920, 1080, i, 1, -1));
    return testgif::Build(1920, 1080, GreyRamp(), frames);
}

void RunTicks(benchmark::State& state, const std::vector<std::uint8_t>& gif, int clientWidth,
              int clientHeight) {
    controls::MemoryViewerHost host(clientWidth, clientHeight);
    host.AddResource("ANIMATION", "GIF", gif);
    controls::GifViewer viewer(host);
    if (!viewer.LoadFromResource("ANIMATION", "GIF")) {
        state.SkipWithError("the animation did not load");
        return;
    }
    for (auto _ : state)
        viewer.NextFrame();
    state.SetItemsProcessed(state.iterations());
    state.counters["screen_px"] = static_cast<double>(viewer.GIFWidth()) * viewer.GIFHeight();
}

void BM_TickBanner468x60(benchmark::State& state) {
    RunTicks(state, BannerGif(), 468, 60);
}
BENCHMARK(BM_TickBanner468x60)->Unit(benchmark::kMicrosecond);

void BM_TickFullHd1920x1080(benchmark::State& state) {
    RunTicks(state, FullHdGif(), 1920, 1080);
}
BENCHMARK(BM_TickFullHd1920x1080)->Unit(benchmark::kMillisecond);

// The banner as the main window shows it: shrunk into the name line's 375 x 60 pixels.
void BM_TickBannerShrunkInto375x60(benchmark::State& state) {
    RunTicks(state, BannerGif(), 375, 60);
}
BENCHMARK(BM_TickBannerShrunkInto375x60)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
