// GIF decoding speed: every file of the benchmark corpus loaded from memory with
// GifImage::LoadFromStream, with giflib's DGifSlurp and, when the build found it, with Wuffs
// (every frame to palette indices in one canvas), side by side in one run, in two states:
//   fresh: one load in a process of its own, started for that sample, as a user's process
//          loads its one GIF (the allocator as a program starts, every page mapped and faulted
//          in for the first time); the fastest of --fresh-samples=N (default 15) processes.
//   warm:  repeated loads in this process (Google Benchmark), after which the allocator keeps
//          freed memory and raised thresholds; the fastest of 15 repetitions.
// Reports per file the time of each decoder in each state, ours over giflib's and Wuffs'
// speed, the page faults of one fresh load, and the geometric means of the ratios. Goals,
// fresh: at least 1.1 times Wuffs' speed on every file, 1.5 times as a geometric mean.
//
// The corpus folder: the first argument that is not a flag, else $CORPOMETER_GIF_CORPUS, else
// the folder the build generates it into. --fresh-samples=0 leaves out the fresh state;
// --benchmark_filter=REGEX limits both states to the matching files.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "FreshProcess.h"
#include "gif/GifImage.h"
#include "platform/WholeFile.h"
#ifdef CORPOMETER_WITH_WUFFS
#include "WuffsPeer.h"
#endif

namespace fs = std::filesystem;

namespace {

constexpr double kFileGoal = 1.1;  // our speed over Wuffs', per file, fresh
constexpr double kMeanGoal = 1.5;  // the same as a geometric mean

// The decoders side by side; ours first.
#ifdef CORPOMETER_WITH_WUFFS
const std::vector<std::string> kDecoders = {"corpometer", "giflib", "wuffs"};
#else
const std::vector<std::string> kDecoders = {"corpometer", "giflib"};
#endif

struct CorpusFile {
    std::string name;
    std::string path;
    std::vector<std::uint8_t> bytes;
    double megapixels = 0;  // every frame's rectangle
    int frames = 0;
};

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* into, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t n = std::min(reader->bytes->size() - reader->position, size_t(count));
    std::memcpy(into, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return int(n);
}

bool GiflibSlurp(const std::vector<std::uint8_t>& bytes) {
    MemoryReader reader{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (gif == nullptr) return false;
    const bool ok = DGifSlurp(gif) == GIF_OK;
    DGifCloseFile(gif, &error);
    return ok;
}

bool LoadWithCorpometer(const std::vector<std::uint8_t>& bytes) {
    gif::GifImage gif;
    return gif.LoadFromStream(bytes);
}

// One load, the image freed again, as in the warm loop.
bool LoadOnce(const std::string& decoder, const std::vector<std::uint8_t>& bytes) {
#ifdef CORPOMETER_WITH_WUFFS
    if (decoder == "wuffs") return wuffs_peer::DecodeToCanvas(bytes);
#endif
    return decoder == "giflib" ? GiflibSlurp(bytes) : LoadWithCorpometer(bytes);
}

// The fresh process: `--fresh-sample DECODER FILE`. The file is read into memory first,
// in one allocation of its size, as a program reads its banner.
int RunFreshSample(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::string decoder = argv[2];
    std::vector<std::uint8_t> bytes;
    if (!platform::ReadWholeFile(argv[3], bytes)) return 1;
    bool loaded = false;
    const fresh::Cost cost = fresh::Measure([&] { loaded = LoadOnce(decoder, bytes); });
    benchmark::DoNotOptimize(loaded);
    fresh::Print(cost);
    return 0;
}

void Describe(CorpusFile& file) {
    gif::GifImage gif;
    gif.LoadFromStream(file.bytes);
    double pixels = 0;
    for (std::int16_t n = 1; n <= gif.FramesCount(); ++n)
        if (const auto colour = gif.FrameDIBXOR(n))
            pixels += double(colour->Width()) * colour->Height();
    file.megapixels = pixels / 1e6;
    file.frames = gif.FramesCount();
}

void DecodeWarm(benchmark::State& state, const CorpusFile* file, const std::string& decoder) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadOnce(decoder, file->bytes));
    state.counters["Mpx/s"] =
        benchmark::Counter(file->megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

// Keeps the fastest repetition's CPU time of each benchmark for the summary. On a shared
// machine the wall clock also counts the time other processes hold the core, and even CPU
// time swells while neighbours thrash the caches or the host takes the core away; nothing
// makes a repetition faster than the code is, so the fastest one is the least disturbed.
class FastestCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "fastest")
                fastest[run.run_name.function_name] = run.GetAdjustedCPUTime() / 1000;
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> fastest;  // by benchmark name, in seconds
};

double FastestOf(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

std::string CorpusDir(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') return argv[i];
    if (const char* dir = std::getenv("CORPOMETER_GIF_CORPUS")) return dir;
    return CORPOMETER_GIF_CORPUS_DIR;
}

// The value of --NAME=VALUE among the arguments, or `otherwise`.
std::string Option(int argc, char** argv, const std::string& name, const std::string& otherwise) {
    const std::string prefix = "--" + name + "=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
            return argv[i] + prefix.size();
    return otherwise;
}

// Each round starts one process per file and decoder, the decoders alternating, so that
// whatever else the machine does meets them alike.
std::map<std::string, fresh::Fastest> MeasureFresh(const std::vector<CorpusFile>& corpus,
                                                   int samples) {
    std::map<std::string, fresh::Fastest> fastest;  // by "decoder/file"
    for (int round = 0; round < samples; ++round) {
        std::fprintf(stderr, "\rfresh processes: round %d of %d", round + 1, samples);
        for (const CorpusFile& file : corpus)
            for (const std::string& decoder : kDecoders) {
                fresh::Cost cost;
                if (fresh::Sample({decoder, file.path}, cost))
                    fastest[decoder + "/" + file.name].Add(cost);
            }
    }
    if (samples > 0) std::fprintf(stderr, "\n");
    return fastest;
}

// Microseconds, or "-" without a figure.
std::string Micros(double seconds) {
    if (seconds <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, seconds < 1e-3 ? "%.1f" : "%.0f", seconds * 1e6);
    return text;
}

struct GeometricMean {
    double logSum = 0;
    int count = 0;
    void Add(double value) {
        logSum += std::log(value);
        ++count;
    }
    double Value() const { return count > 0 ? std::exp(logSum / count) : 0; }
};

// Their time over ours, 0 when either has no figure.
double Over(double theirs, double ours) {
    return theirs > 0 && ours > 0 ? theirs / ours : 0;
}

// A ratio or a mean as text; "-" without a figure.
std::string Text(double ratio) {
    if (ratio <= 0) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    return text;
}

// The ratios of one column: their geometric mean, and the smallest.
struct Column {
    GeometricMean mean;
    double smallest = 0;
    std::string smallestFile;
    int under = 0;  // how many fall short of the per-file goal
    double Add(double ratio, const std::string& file) {
        if (ratio <= 0) return ratio;
        mean.Add(ratio);
        if (smallestFile.empty() || ratio < smallest) {
            smallest = ratio;
            smallestFile = file;
        }
        if (ratio < kFileGoal) ++under;
        return ratio;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], fresh::kSampleFlag) == 0)
        return RunFreshSample(argc, argv);

    const std::string dir = CorpusDir(argc, argv);
    const std::regex wanted(Option(argc, argv, "benchmark_filter", "."));
    const int samples = std::atoi(Option(argc, argv, "fresh-samples", "15").c_str());
    std::vector<CorpusFile> corpus;
    if (fs::is_directory(dir))
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".gif" &&
                std::regex_search(entry.path().stem().string(), wanted)) {
                CorpusFile file;
                file.name = entry.path().stem().string();
                file.path = entry.path().string();
                platform::ReadWholeFile(file.path, file.bytes);
                Describe(file);
                corpus.push_back(std::move(file));
            }
    if (corpus.empty()) {
        std::fprintf(stderr, "no GIF files in %s (build the gif_bench_corpus target first)\n",
                     dir.c_str());
        return 1;
    }
    std::sort(corpus.begin(), corpus.end(),
              [](const CorpusFile& a, const CorpusFile& b) { return a.name < b.name; });

    // Fresh processes first, while this one has loaded each file only once.
    const std::map<std::string, fresh::Fastest> fresh = MeasureFresh(corpus, samples);

    for (const CorpusFile& file : corpus)
        for (const std::string& decoder : kDecoders)
            benchmark::RegisterBenchmark((decoder + "/" + file.name).c_str(),
                                         DecodeWarm, &file, decoder)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.05)
                ->Repetitions(15)
                ->ComputeStatistics("fastest", FastestOf)
                ->ReportAggregatesOnly(true);
    // Arguments that are not benchmark flags (the corpus folder, the number of fresh
    // samples) are left alone.
    std::vector<char*> flags = {argv[0]};
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark", 11) == 0) flags.push_back(argv[i]);
    int flagCount = int(flags.size());
    benchmark::Initialize(&flagCount, flags.data());
    FastestCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const bool withWuffs = kDecoders.size() > 2;
    std::printf(
        "\nTimes in microseconds (CPU, fastest sample); ratios = their time / ours; faults of "
        "one fresh load (ours/giflib/Wuffs)\n");
    std::printf("%-26s %6s %4s | %8s %8s %8s %6s %6s %13s | %8s %8s %8s %6s %6s\n", "file",
                "Mpx", "frms", "fresh", "giflib", "Wuffs", "/gifl", "/Wuffs", "faults", "warm",
                "giflib", "Wuffs", "/gifl", "/Wuffs");
    Column freshGiflib, freshWuffs, warmGiflib, warmWuffs;
    for (const CorpusFile& file : corpus) {
        const auto find = [&file](const auto& table, const std::string& decoder) {
            const auto found = table.find(decoder + "/" + file.name);
            return found == table.end() ? decltype(found->second){} : found->second;
        };
        const fresh::Fastest ours = find(fresh, "corpometer");
        const fresh::Fastest giflib = find(fresh, "giflib");
        const fresh::Fastest wuffs = find(fresh, "wuffs");
        const double warmOurs = find(reporter.fastest, "corpometer");
        const double warmGiflibTime = find(reporter.fastest, "giflib");
        const double warmWuffsTime = find(reporter.fastest, "wuffs");
        char faults[40];
        if (withWuffs)
            std::snprintf(faults, sizeof faults, "%ld/%ld/%ld", ours.minorFaults,
                          giflib.minorFaults, wuffs.minorFaults);
        else
            std::snprintf(faults, sizeof faults, "%ld/%ld", ours.minorFaults, giflib.minorFaults);
        std::printf(
            "%-26s %6.2f %4d | %8s %8s %8s %6s %6s %13s | %8s %8s %8s %6s %6s\n",
            file.name.c_str(), file.megapixels, file.frames, Micros(ours.seconds).c_str(),
            Micros(giflib.seconds).c_str(), Micros(wuffs.seconds).c_str(),
            Text(freshGiflib.Add(Over(giflib.seconds, ours.seconds), file.name)).c_str(),
            Text(freshWuffs.Add(Over(wuffs.seconds, ours.seconds), file.name)).c_str(), faults,
            Micros(warmOurs).c_str(), Micros(warmGiflibTime).c_str(),
            Micros(warmWuffsTime).c_str(),
            Text(warmGiflib.Add(Over(warmGiflibTime, warmOurs), file.name)).c_str(),
            Text(warmWuffs.Add(Over(warmWuffsTime, warmOurs), file.name)).c_str());
    }
    std::printf("%-26s %6s %4s | %8s %8s %8s %6s %6s %13s | %8s %8s %8s %6s %6s\n",
                "geometric mean", "", "", "", "", "", Text(freshGiflib.mean.Value()).c_str(),
                Text(freshWuffs.mean.Value()).c_str(), "", "", "", "",
                Text(warmGiflib.mean.Value()).c_str(), Text(warmWuffs.mean.Value()).c_str());
    if (freshWuffs.mean.count > 0)
        std::printf(
            "over Wuffs, fresh: geometric mean %.2f (goal %.1f: %s); files under %.1f: %d of %d, "
            "slowest %s at %.2f; warm: geometric mean %.2f, slowest %s at %.2f\n",
            freshWuffs.mean.Value(), kMeanGoal,
            freshWuffs.mean.Value() >= kMeanGoal ? "met" : "SHORT", kFileGoal, freshWuffs.under,
            freshWuffs.mean.count, freshWuffs.smallestFile.c_str(), freshWuffs.smallest,
            warmWuffs.mean.Value(), warmWuffs.smallestFile.c_str(), warmWuffs.smallest);
    else if (!withWuffs)
        std::printf("Wuffs was not found when this program was built (CORPOMETER_WUFFS_SOURCE)\n");
    return 0;
}
