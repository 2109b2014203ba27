#pragma once
// Writes GIF byte streams block by block for reader tests, including malformed ones.

#include <cstdint>
#include <string>
#include <vector>

class GifBuilder {
  public:
    // "GIF89a" unless another 6-byte header is given.
    explicit GifBuilder(const std::string& header = "GIF89a");

    // Screen descriptor; globalTableSizeBits < 0 means no global table.
    GifBuilder& Screen(int width, int height, int globalTableSizeBits = -1, int background = 0,
                       int aspect = 0, bool sorted = false);
    // 3 bytes per entry, red, green, blue.
    GifBuilder& ColourTable(const std::vector<std::uint8_t>& rgb);
    // Entry i = (i, 2i, 3i) modulo 256, for 2^(sizeBits + 1) entries.
    GifBuilder& RampTable(int sizeBits);
    GifBuilder& GraphicControl(int disposal, int delay, int transparentIndex = -1,
                               bool userInput = false);
    GifBuilder& Loop(int count);
    GifBuilder& Extension(std::uint8_t label,
                          const std::vector<std::vector<std::uint8_t>>& subBlocks);
    GifBuilder& Application(const std::string& identifier11,
                            const std::vector<std::vector<std::uint8_t>>& subBlocks);
    // Image descriptor; localTableSizeBits < 0 means no local table (then follow with the
    // table's bytes via ColourTable or RampTable when one is declared).
    GifBuilder& ImageDescriptor(int left, int top, int width, int height,
                                int localTableSizeBits = -1, bool interlaced = false,
                                bool sorted = false);
    // Minimum code size, the data in sub-blocks of at most 255 bytes, the terminator.
    GifBuilder& ImageData(int minimumCodeSize, const std::vector<std::uint8_t>& lzw,
                          bool terminator = true);
    // Descriptor plus data for indices encoded by the test encoder.
    GifBuilder& Image(int left, int top, int width, int height,
                      const std::vector<std::uint8_t>& indices, int minimumCodeSize = 8,
                      bool interlaced = false);
    GifBuilder& Bytes(const std::vector<std::uint8_t>& bytes);
    GifBuilder& Trailer();

    const std::vector<std::uint8_t>& Data() const { return bytes_; }

  private:
    void Word(int value);
    void SubBlocks(const std::vector<std::uint8_t>& payload);

    std::vector<std::uint8_t> bytes_;
};

// The indices of a width x height frame in interlaced stream order.
std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& indices, int width,
                                        int height);
