// The GIF reader on arbitrary bytes, then every frame drawn and masked again, and the image
// saved and read back: sizes, positions, colour tables, code sizes and LZW data may hold
// anything, and the stream may end anywhere.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "gif/GifImage.h"
#include "gif/GifReader.h"

namespace {

// A much smaller bitmap budget than a real load's keeps each run quick: every pixel is
// decoded, masked, drawn twice, encoded and decoded again. 16 KB still lets a frame fill the
// encoder's code table, and the limit itself is what is being exercised.
constexpr std::uint64_t kBudget = std::uint64_t{16} << 10;

// Where the image is saved: one file per process, in memory when the system offers it,
// since it is written for every input. Removed at exit.
const std::string& SavePath() {
    static const std::string path = [] {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("corpo-fuzz-gif-" + std::to_string(::getpid()) + ".gif")).string();
    }();
    static const bool cleanup = [] {
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove(SavePath(), ignored);
        });
        return true;
    }();
    (void)cleanup;
    return path;
}

std::int32_t Side(const std::shared_ptr<dib::Dib>& dib, bool width) {
    if (!dib || dib->hDIB() == nullptr) return 0;
    return width ? dib->Width() : dib->Height();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    gif::GifImage gif;
    bool loaded = false;
    try {
        loaded =
            gif::GifReader(kBudget).Read(data, size, gif.Model()) == gif::GifLoadStatus::Loaded;
    } catch (const std::out_of_range&) {
        // Streams too short for the header are the caller's error, by design.
        if (size > 3) __builtin_trap();
        return 0;
    }
    if (!loaded) {
        if (gif.FramesCount() != 0) __builtin_trap();
        return 0;
    }
    dib::Dib canvas;
    canvas.Create(23, 17, 32);
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n) {
        const auto colour = gif.FrameDIBXOR(n);
        const auto mask = gif.FrameDIBAND(n);
        if (!colour || !mask) __builtin_trap();  // every counted frame has its bitmaps
        if (colour->hDIB() != nullptr &&
            (colour->Width() != mask->Width() || colour->Height() != mask->Height()))
            __builtin_trap();
        try {
            gif.FrameDraw(canvas.hDC(), n, -2, 3, 0.75f, true);
            gif.FrameDraw(canvas.hDC(), n);
            gif.FrameMask(n, static_cast<std::uint8_t>(n * 37));
        } catch (const std::overflow_error&) {
            // Positions scaled beyond the 16-bit range: reported, nothing drawn.
        }
    }

    // Whatever was read can be offered for saving; a value the file format cannot hold
    // makes the save fail. A saved file reads back with the same frames and sizes.
    if (!gif.Save(SavePath())) return 0;
    gif::GifImage again;
    if (!again.LoadFromFile(SavePath())) __builtin_trap();
    if (again.FramesCount() != gif.FramesCount()) __builtin_trap();
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n) {
        if (Side(again.FrameDIBXOR(n), true) != Side(gif.FrameDIBXOR(n), true) ||
            Side(again.FrameDIBXOR(n), false) != Side(gif.FrameDIBXOR(n), false))
            __builtin_trap();
    }
    return 0;
}
