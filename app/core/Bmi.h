#pragma once
// The calculator's arithmetic: body mass index, its band, the weight for a BMI of 22.5,
// and the patterns its results are shown in.

#include <optional>
#include <string>

#include "app/core/BmiBands.h"
#include "app/core/Units.h"

namespace core {

// WeightOutOfRange: a weight no person has (see kLightestPounds and kHeaviestPounds).
enum class BmiError { None, WeightMissing, WeightOutOfRange, HeightMissing };

struct BmiInput {
    double weight = 0;  // as read from the weight box
    WeightUnit weightUnit = WeightUnit::Pounds;
    std::optional<double> heightInches;  // the selected row's height; none when no row is
};

struct BmiResult {
    BmiError error = BmiError::None;
    double bmi = 0;
    // The band of the BMI as it is shown (FormatBmi): a figure of "20.0" is Normal even when
    // the BMI is 19.997.
    BmiBand band = BmiBand::Underweight;
    double idealWeight = 0;  // in the user's weight unit
};

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
WeightRange AcceptedWeights(WeightUnit unit);

// Computes in pounds and inches whatever the units. The weight is checked (after the
// kilogram conversion) before the height: not a positive number is a missing weight, one
// outside the range of a person's weights is out of range.
BmiResult ComputeBmi(const BmiInput& input);

// "###.0#": one or two decimals, no leading zero below 1 (0.5 shows as ".5").
std::string FormatBmi(double value);
// "###.00": exactly two decimals, no leading zero below 1.
std::string FormatIdealWeight(double value);

}  // namespace core
