// corpogif: the GIF inspector.
//   corpogif info FILE               the loaded image as one JSON object
//   corpogif time FILE [--repeat N] [--encode]
//                                    the speed of repeated loads from memory, or with
//                                    --encode of encoding the loaded frames into memory
//   corpogif resave IN OUT           loads IN and saves it as OUT
//   corpogif frames FILE OUTDIR [--background [#]RRGGBB]
//                                    the viewer's composition after each frame, as PNGs
//   corpogif --help | --version
// Exit status: 0 loaded (and saved), 1 not loaded or not saved, 2 usage error.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "gif/GifImage.h"
#include "platform/WholeFile.h"
#include "tools/corpogif/FramesCommand.h"
#include "tools/corpogif/GifInfo.h"
#include "tools/corpogif/GifResave.h"
#include "tools/corpogif/LoadTiming.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kLoaded = 0;
constexpr int kNotLoaded = 1;
constexpr int kUsageError = 2;

const char kUsage[] =
    "usage: corpogif info FILE\n"
    "       corpogif time FILE [--repeat N] [--encode]\n"
    "       corpogif resave IN OUT\n"
    "       corpogif frames FILE OUTDIR [--background [#]RRGGBB]\n"
    "       corpogif --help | --version\n";

int Usage(const std::string& problem) {
    std::cerr << "corpogif: " << problem << "\n" << kUsage;
    return kUsageError;
}

int Info(const std::string& path) {
    GifImage gif;
    const bool loaded = gif.LoadFromFile(path);
    std::cout << GifInfoJson(gif, loaded, loaded ? gif.Model().version : std::string()) << "\n";
    if (!loaded)
        std::cerr << "corpogif: " << path << ": not loaded (" << Describe(gif.LoadStatus())
                  << ")\n";
    return loaded ? kLoaded : kNotLoaded;
}

int Time(const std::string& path, int repeat, bool encode) {
    std::vector<uint8_t> bytes;
    std::string readError;
    if (!platform::ReadWholeFile(path, bytes, std::numeric_limits<uint64_t>::max(), &readError)) {
        std::cerr << "corpogif: " << path << ": " << readError << "\n";
        return kNotLoaded;
    }
    GifImage probe;
    bool loaded = false;
    try {
        loaded = probe.LoadFromStream(bytes);
    } catch (const std::exception&) {
    }
    if (!loaded) {
        std::cerr << "corpogif: " << path << ": not loaded (" << Describe(probe.LoadStatus())
                  << ")\n";
        return kNotLoaded;
    }
    if (!encode) {
        std::cout << FormatTiming(path, TimeLoads(bytes, repeat)) << "\n";
        return kLoaded;
    }
    try {
        std::cout << FormatTiming(path, TimeEncodes(probe, repeat), "encodes") << "\n";
    } catch (const std::exception& error) {
        std::cerr << "corpogif: " << path << ": cannot be encoded: " << error.what() << "\n";
        return kNotLoaded;
    }
    return kLoaded;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    // The JSON and the timings come out byte for byte as on other systems, without a
    // carriage return put before each line end, so that outputs compare across them.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("no command given");
    const std::string& command = args[0];
    if (args.size() == 1 && (command == "--help" || command == "-h")) {
        std::cout << kUsage;
        return kLoaded;
    }
    if (args.size() == 1 && command == "--version") {
        std::cout << "corpogif " << CORPOMETER_VERSION << "\n";
        return kLoaded;
    }
    if (command == "frames") {
        return corpogif::RunFrames({args.begin() + 1, args.end()}, std::cout, std::cerr);
    }
    if (command == "info") {
        if (args.size() != 2) return Usage("info takes one FILE");
        return Info(args[1]);
    }
    if (command == "time") {
        if (args.size() < 2) return Usage("time takes FILE [--repeat N] [--encode]");
        int repeat = 0;
        bool encode = false;
        for (size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--encode") {
                encode = true;
            } else if (args[i] == "--repeat" && i + 1 < args.size()) {
                char* end = nullptr;
                const long n = std::strtol(args[++i].c_str(), &end, 10);
                if (*end != '\0' || n < 1 || n > 1000000)
                    return Usage("--repeat needs a count from 1");
                repeat = int(n);
            } else {
                return Usage(args[i] == "--repeat" ? "--repeat needs a count from 1"
                                                   : "unknown option " + args[i]);
            }
        }
        return Time(args[1], repeat, encode);
    }
    if (command == "resave") {
        if (args.size() != 3) return Usage("resave takes IN and OUT");
        return ResaveGif(args[1], args[2], std::cerr);
    }
    return Usage("unknown command " + command);
}
