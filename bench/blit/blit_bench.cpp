// The blits that compose every animation frame, against memcpy of the same number of
// destination bytes, on a 1920 x 1080 destination. At the end the program prints each
// blit's speed as a share of memcpy's, counted in destination bytes per second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace gdi = platform::gdi;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::int64_t kDestinationBytes = std::int64_t{kWidth} * kHeight * 4;

// A memory context with a top-down DIB section, filled with a pattern.
class Canvas {
  public:
    Canvas(int width, int height, int bitCount) {
        gdi::BITMAPINFOHEADER h;
        h.biSize = 40;
        h.biWidth = width;
        h.biHeight = -height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<std::uint16_t>(bitCount);
        dc_ = gdi::CreateCompatibleDC(nullptr);
        bitmap_ = gdi::CreateDIBSection(dc_, h, nullptr, &bits_);
        old_ = gdi::SelectObject(dc_, bitmap_);
        for (std::size_t i = 0; i < bitmap_->ByteSize(); ++i)
            bits_[i] = static_cast<std::uint8_t>(i * 7 + (i >> 11));
        for (int i = 0; i < bitmap_->ColorCount(); ++i)
            bitmap_->ColorTable()[i] =
                gdi::RGBQUAD{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 3), 0};
    }
    ~Canvas() {
        gdi::SelectObject(dc_, old_);
        gdi::DeleteObject(bitmap_);
        gdi::DeleteDC(dc_);
    }
    gdi::HDC dc() const { return dc_; }

  private:
    gdi::HDC dc_ = nullptr;
    gdi::HBITMAP bitmap_ = nullptr;
    gdi::HBITMAP old_ = nullptr;
    std::uint8_t* bits_ = nullptr;
};

void BM_Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(kDestinationBytes, 1);
    std::vector<std::uint8_t> to(kDestinationBytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kDestinationBytes);
}

void RunBlit(benchmark::State& state, int sourceBpp, int srcWidth, int srcHeight,
             std::uint32_t rop) {
    Canvas source(srcWidth, srcHeight, sourceBpp);
    Canvas destination(kWidth, kHeight, 32);
    gdi::SetStretchBltMode(destination.dc(), gdi::kColorOnColor);
    for (auto _ : state) {
        benchmark::DoNotOptimize(gdi::StretchBlt(destination.dc(), 0, 0, kWidth, kHeight,
                                                 source.dc(), 0, 0, srcWidth, srcHeight, rop));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kDestinationBytes);
}

void BM_Copy32To32(benchmark::State& s) {
    RunBlit(s, 32, kWidth, kHeight, gdi::kSrcCopy);
}
void BM_Copy8To32(benchmark::State& s) {
    RunBlit(s, 8, kWidth, kHeight, gdi::kSrcCopy);
}
void BM_Or8To32(benchmark::State& s) {
    RunBlit(s, 8, kWidth, kHeight, gdi::kSrcPaint);
}
void BM_And1To32(benchmark::State& s) {
    RunBlit(s, 1, kWidth, kHeight, gdi::kSrcAnd);
}
void BM_StretchX2_32To32(benchmark::State& s) {
    RunBlit(s, 32, kWidth / 2, kHeight / 2, gdi::kSrcCopy);
}
void BM_StretchHalf_32To32(benchmark::State& s) {
    RunBlit(s, 32, kWidth * 2, kHeight * 2, gdi::kSrcCopy);
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Copy32To32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Copy8To32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Or8To32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_And1To32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchX2_32To32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchHalf_32To32)->Unit(benchmark::kMicrosecond);

// Prints as usual and remembers each run's CPU time (steadier than wall time when other
// processes share the cores), to state every blit against memcpy.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    void PrintRatios() const {
        const auto memcpyRun = seconds_.find("BM_Memcpy");
        if (memcpyRun == seconds_.end()) return;
        std::printf("\nDestination bytes per second as a share of memcpy's:\n");
        for (const auto& [name, time] : seconds_) {
            if (name == "BM_Memcpy") continue;
            std::printf("  %-24s %6.1f%%\n", name.c_str(), 100.0 * memcpyRun->second / time);
        }
    }

  private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
