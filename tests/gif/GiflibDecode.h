#pragma once
// giflib as the second opinion: decodes GIF bytes in memory into plain frames.

#include <cstdint>
#include <string>
#include <vector>

struct GiflibFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int localColours = 0;                  // 0: no local table
    std::vector<std::uint8_t> localTable;  // RGB triples
    std::vector<std::uint8_t> indices;     // width * height, rows top to bottom
    bool hasGraphicControl = false;
    int disposal = 0, delay = 0, transparentIndex = -1;
    bool userInput = false;
};

struct GiflibImage {
    int screenWidth = 0, screenHeight = 0, background = 0, aspect = 0;
    int globalColours = 0;
    std::vector<std::uint8_t> globalTable;  // RGB triples
    std::vector<GiflibFrame> frames;
    int loops = -1;  // the last looping extension's count; -1 without one
};

// False (with giflib's reason in `error`) when giflib refuses the bytes.
bool DecodeWithGiflib(const std::vector<std::uint8_t>& bytes, GiflibImage& image,
                      std::string& error);
