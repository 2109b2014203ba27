// Encoding speed and output size against giflib, in the same run.
//
//   cmake --build build --target corpo_gif_encode_bench_run
//   build/bench/corpo_gif_encode_bench [benchmark flags] [CORPUS_DIR]
//
// Every file of the corpus is decoded once with giflib; its frames, palettes and frame
// fields are put into a GifImage through its public interface. Then, per file, GifImage::Save
// writes it to a temporary file and giflib's EGif functions write the same frames with the
// same colour tables and extensions to another ("Save", "EGif"); and both write the same
// into memory ("Write", "EGifMemory"), which leaves out the file system: Save's atomic
// replacement (a new file renamed over the old) costs a fixed few microseconds that giflib,
// truncating the old file in place, does not pay.
//
// Times are CPU times (steadier than wall-clock time when the cores are shared; file system
// work done in the call counts). The closing table gives per file the megapixels per second
// of Save and EGif, the speed ratios (giflib's time over ours: above 1 means faster than
// giflib) to a file and in memory, and the size ratio (our bytes over giflib's); then the
// geometric mean of the in-memory speed ratios against its goal of 2.
//
// Then the in-memory pair once more in fresh processes, as `corpogif time FILE --encode`
// meets the encoder in a user's process: each sample a process of its own that loads the file
// (ours with GifImage, giflib's with DGifSlurp) and encodes it once into memory whose pages
// are already touched, as a file's bytes go to the system's cache, the fastest of
// --fresh-samples=N (default 15) per file; the geometric mean of those ratios has a goal of 3.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FreshProcess.h"
#include "dib/Dib.h"
#include "gif/GifByteSink.h"
#include "gif/GifImage.h"
#include "gif/GifWriter.h"
#include "platform/WholeFile.h"

namespace fs = std::filesystem;

namespace {

struct SourceFrame {
    int left, top, width, height;
    bool interlaced;
    std::vector<GifColorType> localColours;  // empty: the global table
    GraphicsControlBlock control;
    std::vector<std::uint8_t> indices;  // width * height, top to bottom
};

struct SourceImage {
    std::string name;
    int screenWidth, screenHeight, background;
    std::vector<GifColorType> globalColours;
    std::vector<SourceFrame> frames;
    double megapixels = 0;
};

int TableBits(size_t entries) {
    int bits = 1;
    while ((size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

bool ReadSource(const fs::path& path, SourceImage& image) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return false;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return false;
    }
    image.name = path.stem().string();
    image.screenWidth = gif->SWidth;
    image.screenHeight = gif->SHeight;
    image.background = gif->SBackGroundColor;
    if (gif->SColorMap) {
        image.globalColours.assign(gif->SColorMap->Colors,
                                   gif->SColorMap->Colors + gif->SColorMap->ColorCount);
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& saved = gif->SavedImages[i];
        SourceFrame frame{};
        frame.left = saved.ImageDesc.Left;
        frame.top = saved.ImageDesc.Top;
        frame.width = saved.ImageDesc.Width;
        frame.height = saved.ImageDesc.Height;
        frame.interlaced = saved.ImageDesc.Interlace;
        if (saved.ImageDesc.ColorMap) {
            const ColorMapObject* map = saved.ImageDesc.ColorMap;
            frame.localColours.assign(map->Colors, map->Colors + map->ColorCount);
        }
        frame.control = GraphicsControlBlock{0, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif, i, &frame.control);
        frame.indices.assign(saved.RasterBits,
                             saved.RasterBits + static_cast<size_t>(frame.width) * frame.height);
        image.megapixels += frame.width * static_cast<double>(frame.height) / 1e6;
        image.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, &error);
    return !image.frames.empty();
}

void PutPalette(std::uint8_t* palette, const std::vector<GifColorType>& colours) {
    for (size_t i = 0; i < colours.size() && i < 256; ++i) {
        palette[4 * i] = colours[i].Blue;
        palette[4 * i + 1] = colours[i].Green;
        palette[4 * i + 2] = colours[i].Red;
    }
}

std::unique_ptr<gif::GifImage> BuildModel(const SourceImage& source) {
    auto gif = std::make_unique<gif::GifImage>();
    gif->Destroy();
    for (size_t i = 0; i < source.frames.size(); ++i) {
        const SourceFrame& f = source.frames[i];
        const std::int16_t n = static_cast<std::int16_t>(i + 1);
        gif->FrameInsert(n, static_cast<std::int16_t>(f.width),
                         static_cast<std::int16_t>(f.height));
        dib::Dib& colours = *gif->FrameDIBXOR(n);
        for (int y = 0; y < f.height; ++y) {
            std::memcpy(static_cast<std::uint8_t*>(colours.lpBits()) +
                            static_cast<size_t>(y) * colours.BytesPerScanline(),
                        f.indices.data() + static_cast<size_t>(y) * f.width, f.width);
        }
        gif->SetFrameLeft(n, static_cast<std::int16_t>(f.left));
        gif->SetFrameTop(n, static_cast<std::int16_t>(f.top));
        gif->SetFrameInterlaced(n, f.interlaced);
        gif->SetFrameDelay(n, static_cast<std::int16_t>(f.control.DelayTime));
        gif->SetFrameDisposalMethod(n, f.control.DisposalMode);
        gif->SetFrameUserInput(n, f.control.UserInputFlag);
        gif->SetFrameUseTransparentColor(n, f.control.TransparentColor >= 0);
        if (f.control.TransparentColor >= 0) {
            gif->SetFrameTransparentColorIndex(
                n, static_cast<std::uint8_t>(f.control.TransparentColor));
        }
        if (!f.localColours.empty()) {
            gif->SetLocalPaletteUsed(n, true);
            gif->SetLocalPaletteEntries(n, static_cast<std::int16_t>(f.localColours.size()));
            PutPalette(gif->lpLocalPalette(n), f.localColours);
        }
    }
    gif->SetScreenWidth(static_cast<std::int16_t>(source.screenWidth));
    gif->SetScreenHeight(static_cast<std::int16_t>(source.screenHeight));
    gif->SetScreenBackgroundColorIndex(static_cast<std::uint8_t>(source.background));
    if (!source.globalColours.empty()) {
        gif->SetGlobalPaletteExists(true);
        gif->SetGlobalPaletteEntries(static_cast<std::int16_t>(source.globalColours.size()));
        PutPalette(gif->lpGlobalPalette(), source.globalColours);
    }
    return gif;
}

// giflib writing what Save writes: the same tables (padded to a power of two), the looping
// extension and a graphic control extension per frame; interlaced frames get their rows in
// pass order, which EGifPutLine leaves to the caller.
bool PutWithGiflib(GifFileType* gif, const SourceImage& source) {
    int error = 0;
    if (gif == nullptr) return false;
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = nullptr;
    if (!source.globalColours.empty()) {
        std::vector<GifColorType> padded = source.globalColours;
        padded.resize(size_t{1} << TableBits(padded.size()));
        global = GifMakeMapObject(static_cast<int>(padded.size()), padded.data());
    }
    bool ok =
        EGifPutScreenDesc(gif, source.screenWidth, source.screenHeight,
                          global ? global->BitsPerPixel : 1, source.background, global) == GIF_OK;
    GifFreeMapObject(global);
    const std::uint8_t loop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    for (const SourceFrame& f : source.frames) {
        if (!ok) break;
        GifByteType control[4];
        const size_t length = EGifGCBToExtension(&f.control, control);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), control) ==
             GIF_OK;
        ColorMapObject* local = nullptr;
        if (!f.localColours.empty()) {
            std::vector<GifColorType> padded = f.localColours;
            padded.resize(size_t{1} << TableBits(padded.size()));
            local = GifMakeMapObject(static_cast<int>(padded.size()), padded.data());
        }
        ok = ok &&
             EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; ok && pass < (f.interlaced ? 4 : 1); ++pass) {
            const int start = f.interlaced ? kStart[pass] : 0;
            const int step = f.interlaced ? kStep[pass] : 1;
            for (int y = start; ok && y < f.height; y += step) {
                ok = EGifPutLine(gif,
                                 const_cast<std::uint8_t*>(f.indices.data()) +
                                     static_cast<size_t>(y) * f.width,
                                 f.width) == GIF_OK;
            }
        }
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

class MemorySink : public gif::GifByteSink {
  public:
    void Write(const std::uint8_t* data, size_t count) override {
        bytes.insert(bytes.end(), data, data + count);
    }
    std::vector<std::uint8_t> bytes;
};

int AppendToMemory(GifFileType* gif, const GifByteType* data, int count) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    bytes->insert(bytes->end(), data, data + count);
    return count;
}

struct Measured {
    double seconds = 0;
    double bytes = 0;
};
std::map<std::string, Measured> g_results;  // by benchmark name, median of repetitions

class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median") continue;
            Measured& m = g_results[run.run_name.function_name];
            m.seconds = run.GetAdjustedCPUTime() / 1e3;  // reported in milliseconds
            const auto bytes = run.counters.find("bytes");
            if (bytes != run.counters.end()) m.bytes = bytes->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// Room for the encoded file, its pages already touched: a program that saves writes its
// bytes into the system's file cache and takes no page faults for them. Without this, each
// encoder's output buffer lands in whatever memory its own loading left free, already
// touched for one and new for the other, and the faults that follow are not the encoder's.
std::vector<std::uint8_t> TouchedOutput(const std::string& path) {
    std::error_code error;
    const auto fileSize = static_cast<size_t>(fs::file_size(path, error));
    std::vector<std::uint8_t> bytes(error ? 0 : 2 * fileSize + (size_t{64} << 10));
    bytes.clear();
    return bytes;
}

// The fresh process: `--fresh-sample ENCODER FILE` loads the file, then encodes it once into
// memory.
int RunFreshSample(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::string encoder = argv[2];
    fresh::Cost cost;
    if (encoder == "giflib") {
        SourceImage source;
        if (!ReadSource(argv[3], source)) return 1;
        std::vector<std::uint8_t> bytes = TouchedOutput(argv[3]);
        cost = fresh::Measure([&] {
            int error = 0;
            PutWithGiflib(EGifOpen(&bytes, AppendToMemory, &error), source);
            benchmark::DoNotOptimize(bytes.data());
        });
    } else {
        gif::GifImage gif;
        std::vector<std::uint8_t> file;
        if (!platform::ReadWholeFile(argv[3], file) || !gif.LoadFromStream(file)) return 1;
        MemorySink sink;
        sink.bytes = TouchedOutput(argv[3]);
        cost = fresh::Measure([&] {
            gif::GifWriter().Write(gif.Model(), sink);
            benchmark::DoNotOptimize(sink.bytes.data());
        });
    }
    fresh::Print(cost);
    return 0;
}

// The value of --NAME=VALUE among the arguments, removed from them, or `otherwise`.
std::string TakeOption(int& argc, char** argv, const std::string& name,
                       const std::string& otherwise) {
    const std::string prefix = "--" + name + "=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            const std::string value = argv[i] + prefix.size();
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            return value;
        }
    return otherwise;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], fresh::kSampleFlag) == 0)
        return RunFreshSample(argc, argv);
    const int freshSamples = std::atoi(TakeOption(argc, argv, "fresh-samples", "15").c_str());
    benchmark::Initialize(&argc, argv);
    const fs::path corpus = argc > 1 ? fs::path(argv[1]) : fs::path(CORPOMETER_GIF_CORPUS_DIR);
    std::vector<fs::path> files;
    if (fs::is_directory(corpus)) {
        for (const auto& entry : fs::directory_iterator(corpus)) {
            if (entry.path().extension() == ".gif") files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no GIF files in %s (cmake --build build --target gif_bench_corpus)\n",
                     corpus.c_str());
        return 1;
    }
    // Files go to memory when the system has a RAM file system: on a disk, the flush that
    // the file system makes when a file replaces another takes milliseconds at random
    // and would drown the encoding in noise.
    // A folder of this run's own, so that runs side by side do not write over each other's
    // files; it is removed at the end.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "corpometer-encode-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a scratch folder in %s: %s\n", base.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const fs::path scratch = pattern;

    std::vector<SourceImage> sources;
    std::vector<std::unique_ptr<gif::GifImage>> models;
    for (const fs::path& file : files) {
        SourceImage source;
        if (!ReadSource(file, source)) continue;
        sources.push_back(std::move(source));
    }
    for (const SourceImage& source : sources)
        models.push_back(BuildModel(source));

    for (size_t i = 0; i < sources.size(); ++i) {
        const SourceImage* source = &sources[i];
        gif::GifImage* model = models[i].get();
        const std::string ours = (scratch / (source->name + ".save.gif")).string();
        const std::string theirs = (scratch / (source->name + ".egif.gif")).string();
        const auto add = [](const std::string& name, auto body) {
            benchmark::RegisterBenchmark(name.c_str(), body)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        };
        add("Save/" + source->name, [model, ours](benchmark::State& state) {
            for (auto _ : state) {
                if (!model->Save(ours)) state.SkipWithError("Save failed");
            }
            state.counters["bytes"] = static_cast<double>(fs::file_size(ours));
        });
        add("EGif/" + source->name, [source, theirs](benchmark::State& state) {
            for (auto _ : state) {
                int error = 0;
                if (!PutWithGiflib(EGifOpenFileName(theirs.c_str(), false, &error), *source))
                    state.SkipWithError("EGif failed");
            }
            state.counters["bytes"] = static_cast<double>(fs::file_size(theirs));
        });
        add("Write/" + source->name, [model](benchmark::State& state) {
            for (auto _ : state) {
                MemorySink sink;
                gif::GifWriter().Write(model->Model(), sink);
                benchmark::DoNotOptimize(sink.bytes.data());
            }
        });
        add("EGifMemory/" + source->name, [source](benchmark::State& state) {
            for (auto _ : state) {
                std::vector<std::uint8_t> bytes;
                int error = 0;
                if (!PutWithGiflib(EGifOpen(&bytes, AppendToMemory, &error), *source))
                    state.SkipWithError("EGif failed");
                benchmark::DoNotOptimize(bytes.data());
            }
        });
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-28s %7s %10s %10s %10s %10s %8s\n", "file", "Mpx", "Save Mpx/s", "EGif Mpx/s",
                "speed file", "speed mem", "size");
    double ourTime = 0, theirTime = 0, ourMemory = 0, theirMemory = 0;
    double ourBytes = 0, theirBytes = 0, pixels = 0;
    double logSum = 0;
    int counted = 0;
    for (const SourceImage& source : sources) {
        const Measured& save = g_results["Save/" + source.name];
        const Measured& egif = g_results["EGif/" + source.name];
        const Measured& write = g_results["Write/" + source.name];
        const Measured& memory = g_results["EGifMemory/" + source.name];
        if (write.seconds <= 0 || memory.seconds <= 0) continue;  // filtered out
        if (save.seconds <= 0 || egif.seconds <= 0) {             // only the in-memory pair ran
            std::printf("%-28s %7.3f %10s %10s %10s %10.2f %8s\n", source.name.c_str(),
                        source.megapixels, "-", "-", "-", memory.seconds / write.seconds, "-");
        } else {
            std::printf("%-28s %7.3f %10.1f %10.1f %10.2f %10.2f %8.4f\n", source.name.c_str(),
                        source.megapixels, source.megapixels / save.seconds,
                        source.megapixels / egif.seconds, egif.seconds / save.seconds,
                        memory.seconds / write.seconds, save.bytes / egif.bytes);
        }
        ourTime += save.seconds;
        theirTime += egif.seconds;
        ourMemory += write.seconds;
        theirMemory += memory.seconds;
        ourBytes += save.bytes;
        theirBytes += egif.bytes;
        pixels += source.megapixels;
        logSum += std::log(memory.seconds / write.seconds);
        ++counted;
    }
    if (ourTime > 0) {
        std::printf("%-28s %7.3f %10.1f %10.1f %10.2f %10.2f %8.4f\n", "whole corpus", pixels,
                    pixels / ourTime, pixels / theirTime, theirTime / ourTime,
                    theirMemory / ourMemory, ourBytes / theirBytes);
    }
    if (counted > 0) {
        constexpr double kGoal = 2.0;
        const double mean = std::exp(logSum / counted);
        std::printf("%-28s %7s %10s %10s %10s %10.2f %8s  goal %.2f: %s\n",
                    "geometric mean (memory)", "", "", "", "", mean, "", kGoal,
                    mean >= kGoal ? "ok" : "SHORT");
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);

    // Fresh processes, the encoders alternating in each round.
    std::map<std::string, fresh::Fastest> fastest;
    for (int round = 0; round < freshSamples; ++round) {
        std::fprintf(stderr, "\rfresh processes: round %d of %d", round + 1, freshSamples);
        for (const SourceImage& source : sources)
            for (const char* encoder : {"corpometer", "giflib"}) {
                if (g_results["Write/" + source.name].seconds <= 0) continue;  // filtered out
                fresh::Cost cost;
                if (fresh::Sample({encoder, (corpus / (source.name + ".gif")).string()}, cost))
                    fastest[std::string(encoder) + "/" + source.name].Add(cost);
            }
    }
    if (freshSamples <= 0) return 0;
    std::fprintf(stderr, "\n");
    std::printf("\nIn memory, one encoding in a fresh process (fastest of %d):\n", freshSamples);
    std::printf("%-28s %7s %10s %10s %8s %7s %7s\n", "file", "Mpx", "ours Mpx/s", "EGif Mpx/s",
                "speed", "faults", "EGif");
    double freshLogSum = 0;
    int freshCounted = 0;
    for (const SourceImage& source : sources) {
        const fresh::Fastest& ours = fastest["corpometer/" + source.name];
        const fresh::Fastest& theirs = fastest["giflib/" + source.name];
        if (ours.seconds <= 0 || theirs.seconds <= 0) continue;
        std::printf("%-28s %7.3f %10.1f %10.1f %8.2f %7ld %7ld\n", source.name.c_str(),
                    source.megapixels, source.megapixels / ours.seconds,
                    source.megapixels / theirs.seconds, theirs.seconds / ours.seconds,
                    ours.minorFaults, theirs.minorFaults);
        freshLogSum += std::log(theirs.seconds / ours.seconds);
        ++freshCounted;
    }
    if (freshCounted > 0) {
        constexpr double kFreshGoal = 3.0;
        const double mean = std::exp(freshLogSum / freshCounted);
        std::printf("%-28s %7s %10s %10s %8.2f  goal %.2f: %s\n", "geometric mean", "", "", "",
                    mean, kFreshGoal, mean >= kFreshGoal ? "ok" : "SHORT");
    }
    return 0;
}
