#include "TestGifBuilder.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace testgif {

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kCodeBits = kMinCodeSize + 1;
// After a clear code every literal but the first adds a table entry; clearing again after
// 250 keeps the next free code below 512, so the code width stays 9 bits.
constexpr int kLiteralsPerClear = 250;

void Put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

class BitWriter {
  public:
    void Put(int code) {
        buffer_ |= static_cast<std::uint32_t>(code) << bits_;
        bits_ += kCodeBits;
        while (bits_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    std::vector<std::uint8_t> Finish() {
        if (bits_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
        return bytes_;
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t buffer_ = 0;
    int bits_ = 0;
};

std::vector<std::uint8_t> Lzw(const std::vector<std::uint8_t>& indices) {
    BitWriter writer;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % kLiteralsPerClear == 0) writer.Put(kClearCode);
        writer.Put(indices[i]);
    }
    writer.Put(kEndCode);
    return writer.Finish();
}

}  // namespace

Frame SolidFrame(int left, int top, int width, int height, std::uint8_t index, int delay,
                 int disposal) {
    Frame frame;
    frame.left = left;
    frame.top = top;
    frame.width = width;
    frame.height = height;
    frame.indices.assign(static_cast<size_t>(width) * height, index);
    frame.delay = delay;
    frame.disposal = disposal;
    return frame;
}

std::vector<std::uint8_t> Build(int screenWidth, int screenHeight,
                                const std::vector<std::uint32_t>& palette,
                                const std::vector<Frame>& frames) {
    int sizeBits = 0;  // the table holds 2^(sizeBits + 1) entries
    while ((2 << sizeBits) < static_cast<int>(palette.size()))
        ++sizeBits;
    const int entries = 2 << sizeBits;

    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, screenWidth);
    Put16(out, screenHeight);
    out.push_back(static_cast<std::uint8_t>(0x80 | sizeBits));  // global colour table present
    out.push_back(0);                                           // background index
    out.push_back(0);                                           // aspect
    for (int i = 0; i < entries; ++i) {
        const std::uint32_t rgb = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb));
    }

    for (const Frame& frame : frames) {
        out.insert(out.end(), {0x21, 0xF9, 4});  // graphic control extension
        const bool transparent = frame.transparentIndex >= 0;
        out.push_back(static_cast<std::uint8_t>((frame.disposal & 7) << 2 | (transparent ? 1 : 0)));
        Put16(out, frame.delay);
        out.push_back(static_cast<std::uint8_t>(transparent ? frame.transparentIndex : 0));
        out.push_back(0);

        out.push_back(0x2C);  // image descriptor
        Put16(out, frame.left);
        Put16(out, frame.top);
        Put16(out, frame.width);
        Put16(out, frame.height);
        out.push_back(0);  // no local table, not interlaced
        out.push_back(kMinCodeSize);
        const std::vector<std::uint8_t> data = Lzw(frame.indices);
        for (size_t pos = 0; pos < data.size(); pos += 255) {
            const size_t size = std::min<size_t>(255, data.size() - pos);
            out.push_back(static_cast<std::uint8_t>(size));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                       data.begin() + static_cast<std::ptrdiff_t>(pos + size));
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

TemporaryFile::TemporaryFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    // Test cases run in parallel processes: each file gets a name of its own.
    static std::mt19937_64 random{std::random_device{}()};
    path_ =
        (std::filesystem::temp_directory_path() / (std::to_string(random()) + "-" + name)).string();
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TemporaryFile::~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace testgif
