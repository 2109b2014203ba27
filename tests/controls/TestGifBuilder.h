#pragma once
// Builds small GIF files in memory for the viewer's tests: a global colour table of up to
// 256 colours, and frames with their placement, delay, disposal and transparency. The
// pixel data is LZW-coded with 9-bit literal codes and a clear code often enough that the
// code width never grows, which every decoder reads.

#include <cstdint>
#include <string>
#include <vector>

namespace testgif {

struct Frame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // width * height palette indices, rows top-down
    int delay = 0;                      // hundredths of a second
    int disposal = 0;
    int transparentIndex = -1;  // -1: no transparent colour
};

// A frame of one colour index.
Frame SolidFrame(int left, int top, int width, int height, std::uint8_t index, int delay = 10,
                 int disposal = 1);

// `palette` holds colour values 0xRRGGBB; it is padded to a power of two of at least 2.
std::vector<std::uint8_t> Build(int screenWidth, int screenHeight,
                                const std::vector<std::uint32_t>& palette,
                                const std::vector<Frame>& frames);

// A file in the temporary folder holding `bytes`, removed again when the object ends.
class TemporaryFile {
  public:
    TemporaryFile(const std::string& name, const std::vector<std::uint8_t>& bytes);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace testgif
