#include "tools/corpogif/PngWriter.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace corpogif {

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kColourTypePalette = 3;
constexpr size_t kMaxPaletteColours = 256;

enum Filter : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth, kFilterCount };

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char type[4],
                 const std::vector<std::uint8_t>& data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw, int strategy) {
    z_stream stream{};
    // zlib's default level: its best takes several times as long on an animation of big
    // many-coloured frames for about 1% fewer bytes.
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, strategy) != Z_OK)
        throw std::runtime_error("PNG: zlib cannot start");
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(raw.size())));
    stream.next_in = const_cast<Bytef*>(raw.data());
    stream.avail_in = static_cast<uInt>(raw.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("PNG: zlib could not compress the rows");
    return out;
}

std::uint8_t PaethPredictor(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
              toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// `row` filtered with `filter` into `out`; `previous` is the row above (zeros for the top
// row), `step` the bytes of one pixel.
void FilterRow(Filter filter, const std::uint8_t* row, const std::uint8_t* previous, size_t length,
               size_t step, std::uint8_t* out) {
    for (size_t i = 0; i < length; ++i) {
        const int left = i >= step ? row[i - step] : 0;
        const int up = previous[i];
        const int upLeft = i >= step ? previous[i - step] : 0;
        int predicted = 0;
        switch (filter) {
            case kSub:
                predicted = left;
                break;
            case kUp:
                predicted = up;
                break;
            case kAverage:
                predicted = (left + up) / 2;
                break;
            case kPaeth:
                predicted = PaethPredictor(left, up, upLeft);
                break;
            default:
                break;
        }
        out[i] = static_cast<std::uint8_t>(row[i] - predicted);
    }
}

// The bytes read as signed and summed by size: the smaller, the better deflate does.
std::uint64_t Cost(const std::uint8_t* bytes, size_t length) {
    std::uint64_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

// The rows with their filter bytes, each row filtered as costs least.
std::vector<std::uint8_t> FilteredRows(const std::vector<std::uint8_t>& pixels, size_t rowBytes,
                                       std::int32_t height, size_t step) {
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    const std::vector<std::uint8_t> zeros(rowBytes, 0);
    std::array<std::vector<std::uint8_t>, kFilterCount> trial;
    for (auto& candidate : trial)
        candidate.resize(rowBytes);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels.data() + rowBytes * static_cast<size_t>(y);
        const std::uint8_t* previous = y > 0 ? row - rowBytes : zeros.data();
        Filter best = kNone;
        std::uint64_t bestCost = UINT64_MAX;
        for (std::uint8_t f = kNone; f < kFilterCount; ++f) {
            FilterRow(static_cast<Filter>(f), row, previous, rowBytes, step, trial[f].data());
            const std::uint64_t cost = Cost(trial[f].data(), rowBytes);
            if (cost < bestCost) {
                best = static_cast<Filter>(f);
                bestCost = cost;
            }
        }
        raw.push_back(best);
        raw.insert(raw.end(), trial[best].begin(), trial[best].end());
    }
    return raw;
}

// The picture as palette indices when it has at most 256 colours: the colours in the order
// they first appear, and one index a pixel. Empty colours when there are more.
struct Indexed {
    std::vector<std::uint32_t> colours;  // 0xRRGGBB
    std::vector<std::uint8_t> indices;
};

Indexed ToIndexed(const std::vector<std::uint8_t>& rgb) {
    // An open-addressing table twice the palette's size: a colour's slot holds its index.
    constexpr size_t kSlots = 2 * kMaxPaletteColours;
    std::array<std::uint32_t, kSlots> key;
    std::array<int, kSlots> index;
    index.fill(-1);
    Indexed out;
    out.indices.reserve(rgb.size() / 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        const std::uint32_t colour =
            std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2];
        size_t slot = (colour * 2654435761u) >> 23;  // the top 9 bits: 0 to 511
        while (index[slot] >= 0 && key[slot] != colour)
            slot = (slot + 1) % kSlots;
        if (index[slot] < 0) {
            if (out.colours.size() == kMaxPaletteColours) return {};
            key[slot] = colour;
            index[slot] = static_cast<int>(out.colours.size());
            out.colours.push_back(colour);
        }
        out.indices.push_back(static_cast<std::uint8_t>(index[slot]));
    }
    return out;
}

// Rows of indices packed at `depth` bits a pixel, leftmost pixel in the high bits, each
// row after its filter byte (none: filters do not pay on palette indices).
std::vector<std::uint8_t> PackedRows(const std::vector<std::uint8_t>& indices, std::int32_t width,
                                     std::int32_t height, int depth) {
    const size_t rowBytes = (static_cast<size_t>(width) * depth + 7) / 8;
    std::vector<std::uint8_t> raw((rowBytes + 1) * static_cast<size_t>(height), 0);
    const int perByte = 8 / depth;
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = raw.data() + (rowBytes + 1) * static_cast<size_t>(y) + 1;
        const std::uint8_t* in = indices.data() + static_cast<size_t>(width) * y;
        for (std::int32_t x = 0; x < width; ++x) {
            const int shift = 8 - depth * (x % perByte + 1);
            row[x / perByte] |= static_cast<std::uint8_t>(in[x] << shift);
        }
    }
    return raw;
}

std::vector<std::uint8_t> Header(std::int32_t width, std::int32_t height, std::uint8_t depth,
                                 std::uint8_t colourType) {
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    header.push_back(depth);
    header.push_back(colourType);
    header.push_back(0);  // compression: deflate
    header.push_back(0);  // filter method 0
    header.push_back(0);  // not interlaced
    return header;
}

}  // namespace

std::vector<std::uint8_t> EncodeRgb(std::int32_t width, std::int32_t height,
                                    const std::vector<std::uint8_t>& rgb) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("PNG: the size must be positive");
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    if (rgb.size() / rowBytes != static_cast<size_t>(height) || rgb.size() % rowBytes != 0) {
        throw std::invalid_argument("PNG: the pixel data does not match the size");
    }

    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    const Indexed indexed = ToIndexed(rgb);
    if (!indexed.colours.empty()) {
        const size_t count = indexed.colours.size();
        const int depth = count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
        AppendChunk(out, "IHDR",
                    Header(width, height, static_cast<std::uint8_t>(depth), kColourTypePalette));
        std::vector<std::uint8_t> palette;
        for (const std::uint32_t colour : indexed.colours) {
            palette.push_back(static_cast<std::uint8_t>(colour >> 16));
            palette.push_back(static_cast<std::uint8_t>(colour >> 8));
            palette.push_back(static_cast<std::uint8_t>(colour));
        }
        AppendChunk(out, "PLTE", palette);
        AppendChunk(out, "IDAT",
                    Deflate(PackedRows(indexed.indices, width, height, depth), Z_DEFAULT_STRATEGY));
    } else {
        AppendChunk(out, "IHDR", Header(width, height, 8, kColourTypeRgb));
        AppendChunk(out, "IDAT", Deflate(FilteredRows(rgb, rowBytes, height, 3), Z_FILTERED));
    }
    AppendChunk(out, "IEND", {});
    return out;
}

bool WriteRgb(const std::string& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& rgb) {
    const std::vector<std::uint8_t> bytes = EncodeRgb(width, height, rgb);
    std::ofstream file(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace corpogif
