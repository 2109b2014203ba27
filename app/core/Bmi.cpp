#include "app/core/Bmi.h"

#include <cmath>

#include "app/core/NumberText.h"

namespace core {

WeightRange AcceptedWeights(WeightUnit unit) {
    if (unit == WeightUnit::Pounds) return {kLightestPounds, kHeaviestPounds};
    return {std::ceil(kLightestPounds / kPoundsPerKilogram * 10) / 10,
            std::floor(kHeaviestPounds / kPoundsPerKilogram * 10) / 10};
}

BmiResult ComputeBmi(const BmiInput& input) {
    BmiResult result;
    const bool kilograms = input.weightUnit == WeightUnit::Kilograms;
    double pounds = input.weight;
    if (kilograms) pounds *= kPoundsPerKilogram;
    // "Not greater than zero" also catches a NaN.
    if (!(pounds > 0)) {
        result.error = BmiError::WeightMissing;
        return result;
    }
    if (pounds < kLightestPounds || pounds > kHeaviestPounds) {
        result.error = BmiError::WeightOutOfRange;
        return result;
    }
    if (!input.heightInches) {
        result.error = BmiError::HeightMissing;
        return result;
    }
    const double inches = *input.heightInches;
    const double bmi = (pounds / (inches * inches)) * kImperialFactor;
    double ideal = ((inches * inches) * kTargetBmi) / kImperialFactor;
    if (kilograms) ideal /= kPoundsPerKilogram;
    if (!std::isfinite(bmi) || !std::isfinite(ideal)) {  // a row of no height
        result.error = BmiError::WeightMissing;
        return result;
    }
    result.bmi = bmi;
    result.idealWeight = ideal;
    // The figure shown is the BMI rounded to two decimals: its band is the band of that figure,
    // so that the colour, the name and the legend agree with what the user reads.
    result.band = BandOf(ReadLeadingNumber(FormatBmi(bmi)));
    return result;
}

std::string FormatBmi(double value) {
    return FormatDecimals(value, 1, 2);
}

std::string FormatIdealWeight(double value) {
    return FormatDecimals(value, 2, 2);
}

}  // namespace core
