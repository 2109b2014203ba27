#pragma once
// The five bands of the body mass index, in one table: where each ends, its colour, the word
// the legend gives it and its name, as every window, the artwork and the tests take them.

#include <array>
#include <limits>

#include "app/core/UserLanguage.h"

namespace core {

enum class BmiBand : int { Underweight = 0, Normal = 1, Overweight = 2, Obese = 3, Extreme = 4 };

// The context the calculator's texts are translated in.
inline constexpr char kCalculatorTextContext[] = "core::Calculator";

// A colour as red, green and blue.
struct Rgb {
    int red, green, blue;
    friend constexpr bool operator==(const Rgb& a, const Rgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

struct BandDescription {
    BmiBand band;
    double
        upperBound;  // the first BMI of the next band: each lower bound belongs to the band above
    Rgb colour;      // the legend's swatch and the result figure
    // The shade the result figure is shown in: the band's colour, darkened where it stands out
    // less than 3:1 against the light result panel (orange).
    Rgb resultShade;
    const char* legendWord;  // beside the swatch, in the few pixels it has
    const char* name;        // under the result, and what screen readers hear
};

inline constexpr std::array<BandDescription, 5> kBands{{
    {BmiBand::Underweight,
     20,
     {0, 0, 255},
     {0, 0, 255},
     TRANSLATABLE("core::Calculator", " = Underweight"),
     TRANSLATABLE("core::Calculator", "Underweight")},
    {BmiBand::Normal,
     25,
     {0, 128, 0},
     {0, 128, 0},
     TRANSLATABLE("core::Calculator", " = Normal"),
     TRANSLATABLE("core::Calculator", "Normal")},
    {BmiBand::Overweight,
     30,
     {255, 128, 64},
     {191, 96, 48},
     TRANSLATABLE("core::Calculator", " = Overweight"),
     TRANSLATABLE("core::Calculator", "Overweight")},
    {BmiBand::Obese,
     40,
     {200, 0, 0},
     {200, 0, 0},
     TRANSLATABLE("core::Calculator", " = Obese"),
     TRANSLATABLE("core::Calculator", "Obese")},
    {BmiBand::Extreme,
     std::numeric_limits<double>::infinity(),
     {255, 0, 0},
     {255, 0, 0},
     TRANSLATABLE("core::Calculator", " = Extreme"),
     TRANSLATABLE("core::Calculator", "Extreme")},
}};

// An extreme result flashes between these two shades, bright first.
inline constexpr Rgb kFlashBright{255, 0, 0};
inline constexpr Rgb kFlashDark{175, 0, 0};

constexpr const BandDescription& DescriptionOf(BmiBand band) {
    return kBands[static_cast<std::size_t>(band)];
}

// The band a BMI falls in.
constexpr BmiBand BandOf(double bmi) {
    for (const BandDescription& description : kBands) {
        if (bmi < description.upperBound) return description.band;
    }
    return BmiBand::Extreme;  // a NaN
}

}  // namespace core
