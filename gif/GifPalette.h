#pragma once
// A GIF colour table as the image model keeps it: up to 256 colours, how many the file's
// table has, and whether it is sorted by importance.

#include <array>
#include <cstddef>
#include <cstdint>

namespace gif {

// One colour, in the memory order of a bitmap's colour-table entry (blue, green, red,
// reserved), so that a palette is handed to a bitmap as it stands.
struct GifColour {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
static_assert(sizeof(GifColour) == 4, "a colour is one colour-table entry");

struct GifPalette {
    static constexpr int kMaxColours = 256;
    static constexpr size_t kByteSize = kMaxColours * sizeof(GifColour);

    // Every slot is kept; colours past `entries` are black unless a caller wrote them.
    std::array<GifColour, kMaxColours> colours{};
    // As the file's size field gives it (2 to 256) or a caller sets it; nothing here
    // checks it against the colours.
    std::int16_t entries = 0;
    bool sorted = false;

    GifColour& operator[](size_t index) { return colours[index]; }
    const GifColour& operator[](size_t index) const { return colours[index]; }

    // Red + 256 * green + 65536 * blue.
    std::int32_t RgbOf(std::uint8_t index) const {
        const GifColour& c = colours[index];
        return c.red + 256 * c.green + 65536 * c.blue;
    }

    // The colours as 4 x 256 bytes, in the form a bitmap's colour table takes.
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(colours.data()); }
    const std::uint8_t* Bytes() const {
        return reinterpret_cast<const std::uint8_t*>(colours.data());
    }
};
static_assert(sizeof(std::array<GifColour, GifPalette::kMaxColours>) == GifPalette::kByteSize,
              "the colours lie one after another without gaps");

}  // namespace gif
