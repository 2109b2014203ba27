// GIF decoding speed: every file of the benchmark corpus loaded from memory with
// GifImage::LoadFromStream and with giflib's DGifSlurp, side by side in one run. Reports
// megapixels per second (over every frame's rectangle) for each, then the ratio per file
// and the geometric mean of the ratios over the corpus.
//
// The corpus folder: the first argument that is not a benchmark flag, else
// $CORPOMETER_GIF_CORPUS, else the folder the build generates it into.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "gif/GifImage.h"

namespace fs = std::filesystem;

namespace {

struct CorpusFile {
    std::string name;
    std::vector<uint8_t> bytes;
    double megapixels = 0;  // every frame's rectangle
};

struct MemoryReader {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* into, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t n = std::min(reader->bytes->size() - reader->position, size_t(count));
    std::memcpy(into, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return int(n);
}

bool GiflibSlurp(const std::vector<uint8_t>& bytes) {
    MemoryReader reader{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (gif == nullptr) return false;
    const bool ok = DGifSlurp(gif) == GIF_OK;
    DGifCloseFile(gif, &error);
    return ok;
}

double FrameMegapixels(const std::vector<uint8_t>& bytes) {
    GifImage gif;
    gif.LoadFromStream(bytes);
    double pixels = 0;
    for (int16_t n = 1; n <= gif.FramesCount(); ++n)
        if (const auto colour = gif.FrameDIBXOR(n))
            pixels += double(colour->Width()) * colour->Height();
    return pixels / 1e6;
}

void DecodeWithCorpometer(benchmark::State& state, const CorpusFile* file) {
    for (auto _ : state) {
        GifImage gif;
        benchmark::DoNotOptimize(gif.LoadFromStream(file->bytes));
    }
    state.counters["Mpx/s"] =
        benchmark::Counter(file->megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

void DecodeWithGiflib(benchmark::State& state, const CorpusFile* file) {
    for (auto _ : state)
        benchmark::DoNotOptimize(GiflibSlurp(file->bytes));
    state.counters["Mpx/s"] =
        benchmark::Counter(file->megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

// Keeps the median CPU time of each benchmark for the summary: on a shared machine the
// wall clock also counts the time other processes hold the core.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;  // by benchmark name, in the time unit
};

std::string CorpusDir(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') return argv[i];
    if (const char* dir = std::getenv("CORPOMETER_GIF_CORPUS")) return dir;
    return CORPOMETER_GIF_CORPUS_DIR;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = CorpusDir(argc, argv);
    std::vector<CorpusFile> corpus;
    if (fs::is_directory(dir))
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".gif") {
                std::ifstream in(entry.path(), std::ios::binary);
                CorpusFile file;
                file.name = entry.path().stem().string();
                file.bytes.assign(std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>());
                file.megapixels = FrameMegapixels(file.bytes);
                corpus.push_back(std::move(file));
            }
    if (corpus.empty()) {
        std::fprintf(stderr, "no GIF files in %s (build the gif_bench_corpus target first)\n",
                     dir.c_str());
        return 1;
    }
    std::sort(corpus.begin(), corpus.end(),
              [](const CorpusFile& a, const CorpusFile& b) { return a.name < b.name; });
    for (const CorpusFile& file : corpus) {
        for (auto* b : {benchmark::RegisterBenchmark(("corpometer/" + file.name).c_str(),
                                                     DecodeWithCorpometer, &file),
                        benchmark::RegisterBenchmark(("giflib/" + file.name).c_str(),
                                                     DecodeWithGiflib, &file)})
            b->Unit(benchmark::kMillisecond)
                ->MinTime(0.2)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
    }

    // Arguments that are not benchmark flags (the corpus folder) are left alone.
    std::vector<char*> flags = {argv[0]};
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-') flags.push_back(argv[i]);
    int flagCount = int(flags.size());
    benchmark::Initialize(&flagCount, flags.data());
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-30s %10s %10s %12s %12s %8s\n", "file", "Mpx", "frames", "ours Mpx/s",
                "giflib Mpx/s", "ratio");
    double logSum = 0;
    int counted = 0;
    for (const CorpusFile& file : corpus) {
        const auto ours = reporter.medians.find("corpometer/" + file.name);
        const auto theirs = reporter.medians.find("giflib/" + file.name);
        if (ours == reporter.medians.end() || theirs == reporter.medians.end()) continue;
        GifImage gif;
        gif.LoadFromStream(file.bytes);
        const double oursRate = file.megapixels / (ours->second / 1000);
        const double theirRate = file.megapixels / (theirs->second / 1000);
        const double ratio = theirs->second / ours->second;
        std::printf("%-30s %10.2f %10d %12.1f %12.1f %8.2f\n", file.name.c_str(), file.megapixels,
                    gif.FramesCount(), oursRate, theirRate, ratio);
        logSum += std::log(ratio);
        ++counted;
    }
    if (counted > 0)
        std::printf("%-30s %67.2f\n", "geometric mean of the ratios", std::exp(logSum / counted));
    return 0;
}
