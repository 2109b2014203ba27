#include "GifBuilder.h"

#include <algorithm>

#include "LzwTestStream.h"

GifBuilder::GifBuilder(const std::string& header) : bytes_(header.begin(), header.end()) {}

void GifBuilder::Word(int value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void GifBuilder::SubBlocks(const std::vector<std::uint8_t>& payload) {
    for (size_t at = 0; at < payload.size(); at += 255) {
        const size_t n = std::min<size_t>(255, payload.size() - at);
        bytes_.push_back(static_cast<std::uint8_t>(n));
        bytes_.insert(bytes_.end(), payload.begin() + at, payload.begin() + at + n);
    }
}

GifBuilder& GifBuilder::Screen(int width, int height, int globalTableSizeBits, int background,
                               int aspect, bool sorted) {
    Word(width);
    Word(height);
    std::uint8_t flags = 0x70;  // colour resolution 8 bits
    if (globalTableSizeBits >= 0) flags |= 0x80 | (globalTableSizeBits & 7);
    if (sorted) flags |= 0x08;
    bytes_.push_back(flags);
    bytes_.push_back(static_cast<std::uint8_t>(background));
    bytes_.push_back(static_cast<std::uint8_t>(aspect));
    return *this;
}

GifBuilder& GifBuilder::ColourTable(const std::vector<std::uint8_t>& rgb) {
    return Bytes(rgb);
}

GifBuilder& GifBuilder::RampTable(int sizeBits) {
    for (int i = 0; i < (2 << sizeBits); ++i) {
        bytes_.push_back(static_cast<std::uint8_t>(i));
        bytes_.push_back(static_cast<std::uint8_t>(2 * i));
        bytes_.push_back(static_cast<std::uint8_t>(3 * i));
    }
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, int transparentIndex,
                                       bool userInput) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 4});
    std::uint8_t flags = static_cast<std::uint8_t>((disposal & 7) << 2);
    if (userInput) flags |= 0x02;
    if (transparentIndex >= 0) flags |= 0x01;
    bytes_.push_back(flags);
    Word(delay);
    bytes_.push_back(static_cast<std::uint8_t>(transparentIndex >= 0 ? transparentIndex : 0));
    bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Loop(int count) {
    return Application("NETSCAPE2.0", {{1, static_cast<std::uint8_t>(count & 0xFF),
                                        static_cast<std::uint8_t>((count >> 8) & 0xFF)}});
}

GifBuilder& GifBuilder::Extension(std::uint8_t label,
                                  const std::vector<std::vector<std::uint8_t>>& subBlocks) {
    bytes_.push_back(0x21);
    bytes_.push_back(label);
    for (const auto& block : subBlocks) {
        bytes_.push_back(static_cast<std::uint8_t>(block.size()));
        bytes_.insert(bytes_.end(), block.begin(), block.end());
    }
    bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Application(const std::string& identifier11,
                                    const std::vector<std::vector<std::uint8_t>>& subBlocks) {
    bytes_.insert(bytes_.end(), {0x21, 0xFF, 11});
    bytes_.insert(bytes_.end(), identifier11.begin(), identifier11.end());
    for (const auto& block : subBlocks) {
        bytes_.push_back(static_cast<std::uint8_t>(block.size()));
        bytes_.insert(bytes_.end(), block.begin(), block.end());
    }
    bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::ImageDescriptor(int left, int top, int width, int height,
                                        int localTableSizeBits, bool interlaced, bool sorted) {
    bytes_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    std::uint8_t flags = 0;
    if (localTableSizeBits >= 0) flags |= 0x80 | (localTableSizeBits & 7);
    if (interlaced) flags |= 0x40;
    if (sorted) flags |= 0x20;
    bytes_.push_back(flags);
    return *this;
}

GifBuilder& GifBuilder::ImageData(int minimumCodeSize, const std::vector<std::uint8_t>& lzw,
                                  bool terminator) {
    bytes_.push_back(static_cast<std::uint8_t>(minimumCodeSize));
    SubBlocks(lzw);
    if (terminator) bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Image(int left, int top, int width, int height,
                              const std::vector<std::uint8_t>& indices, int minimumCodeSize,
                              bool interlaced) {
    ImageDescriptor(left, top, width, height, -1, interlaced);
    const std::vector<std::uint8_t> ordered =
        interlaced ? InterlaceRows(indices, width, height) : indices;
    return ImageData(minimumCodeSize, LzwEncode(ordered, minimumCodeSize));
}

GifBuilder& GifBuilder::Bytes(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::Trailer() {
    bytes_.push_back(0x3B);
    return *this;
}

std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& indices, int width,
                                        int height) {
    std::vector<std::uint8_t> out;
    out.reserve(indices.size());
    const int start[4] = {0, 4, 2, 1};
    const int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = start[pass]; row < height; row += step[pass])
            out.insert(out.end(), indices.begin() + row * width,
                       indices.begin() + (row + 1) * width);
    return out;
}
