#pragma once
// Reads the reference dumps of tests/data/gif/giflib-dumps: one record per GIF with
// giflib's view of the screen, the extensions and every frame's raw indices (as an MD5).

#include <string>
#include <vector>

struct DumpFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    bool graphicControl = false;
    int disposal = 0, userInput = 0, delay = 0;
    int transparent = -1;         // -1: none
    int graphicControlCount = 0;  // GCEs since the previous image (giflib keeps the first)
    bool localPalette = false;
    int localEntries = 0;
    bool localSorted = false;
    bool decoded = false;  // status=ok: the indices are trustworthy
    std::string pixelsMd5;
};

struct DumpLoop {
    int beforeFrame = 0;
    long count = 0;
    std::string applicationId;  // of the extension carrying it
};

struct DumpRecord {
    std::string file;
    std::string signature;
    int screenWidth = 0, screenHeight = 0, background = 0, aspect = 0;
    bool globalPalette = false;
    int globalEntries = 0;
    bool globalSorted = false;
    std::vector<DumpFrame> frames;
    std::vector<DumpLoop> loops;
    bool endsWithTrailer = false;
};

// Throws std::runtime_error when the file cannot be read.
std::vector<DumpRecord> ParseGiflibDump(const std::string& path);
