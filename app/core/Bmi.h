#pragma once
// The calculator's arithmetic: body mass index, its band, the weight for a BMI of 22.5,
// and the patterns its results are shown in.

#include <cstdint>
#include <string>

namespace core {

enum class BmiBand : int { Underweight = 0, Normal = 1, Overweight = 2, Obese = 3, Extreme = 4 };

// WeightOutOfRange: a weight no person has (see kLightestPounds and kHeaviestPounds).
enum class BmiError { None, WeightMissing, WeightOutOfRange, HeightMissing };

struct BmiInput {
    double weight = 0;               // as read from the weight box
    bool weightInKilograms = false;  // else pounds
    std::int16_t heightIndex = -1;   // selected row of the height list; -1 when none
    bool heightInFeetInches = true;  // else centimetres
    std::string heightRowText;       // the selected row's text; read only for centimetres
};

struct BmiResult {
    BmiError error = BmiError::None;
    double bmi = 0;
    BmiBand band = BmiBand::Underweight;
    double idealWeight = 0;  // in the user's weight unit
};

inline constexpr double kPoundsPerKilogram = 2.2;
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr int kFirstRowInches = 48;        // row 0 of the feet-and-inches list is 4' 0"
inline constexpr double kImperialFactor = 704.5;  // this calculator's factor, not the usual 703
inline constexpr double kTargetBmi = 22.5;
// The weights a person can have, in pounds, both accepted. Beyond them a figure is a typing
// slip (a unit typed into the wrong box, a paste) and its BMI would not even fit its label.
inline constexpr double kLightestPounds = 10;
inline constexpr double kHeaviestPounds = 1500;

// The weight range in the user's unit, as a message gives it: in kilograms rounded inwards
// to a tenth, so that both figures shown are accepted.
struct WeightRange {
    double lightest, heaviest;
};
WeightRange AcceptedWeights(bool kilograms);

// Computes in pounds and inches whatever the units. The weight is checked (after the
// kilogram conversion) before the height: not a positive number is a missing weight, one
// outside the range of a person's weights is out of range.
BmiResult ComputeBmi(const BmiInput& input);

BmiBand BandOf(double bmi);

// The red, green and blue of a band's result text and legend swatch.
struct Rgb {
    int red, green, blue;
};
Rgb BandColour(BmiBand band);
// The shade the result figure is shown in: its band's colour, darkened where the legend's
// colour stands out less than 3:1 against the light result panel (orange).
Rgb ResultColour(BmiBand band);

// "###.0#": one or two decimals, no leading zero below 1 (0.5 shows as ".5").
std::string FormatBmi(double value);
// "###.00": exactly two decimals, no leading zero below 1.
std::string FormatIdealWeight(double value);

}  // namespace core
