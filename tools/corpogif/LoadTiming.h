#pragma once
// The decoder's speed measured from outside: repeated loads of one file from memory.

#include <cstdint>
#include <string>
#include <vector>

struct LoadTiming {
    int loads = 0;
    double medianMilliseconds = 0;
    double megapixelsPerSecond = 0;  // pixels of every frame's rectangle per median load
};

// Loads the bytes `repeat` times, or when repeat is 0 as many times as fit in about a
// second (at least 3).
LoadTiming TimeLoads(const std::vector<uint8_t>& bytes, int repeat);

// "FILE: N loads, median M ms, P Mpx/s"
std::string FormatTiming(const std::string& file, const LoadTiming& timing);
