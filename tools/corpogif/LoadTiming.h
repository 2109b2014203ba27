#pragma once
// The codec's speed measured from outside: repeated loads of one file from memory, or
// repeated encodings of one loaded image into memory.

#include <cstdint>
#include <string>
#include <vector>

namespace gif {
class GifImage;
}  // namespace gif

namespace corpogif {

struct LoadTiming {
    int loads = 0;  // loads or encodings timed
    double medianMilliseconds = 0;
    double megapixelsPerSecond = 0;  // pixels of every frame's rectangle per median run
};

// Loads the bytes `repeat` times, or when repeat is 0 as many times as fit in about a
// second (at least 3).
LoadTiming TimeLoads(const std::vector<std::uint8_t>& bytes, int repeat);

// Encodes every frame of the loaded image into memory with the GIF writer, `repeat` times or
// as many as fit in about a second (at least 3).
LoadTiming TimeEncodes(gif::GifImage& gif, int repeat);

// "FILE: N loads, median M ms, P Mpx/s", or "N encodes" for an encoding timing.
std::string FormatTiming(const std::string& file, const LoadTiming& timing,
                         const char* what = "loads");

}  // namespace corpogif
