#include "app/core/Bmi.h"
#include "app/core/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace core {

BmiBand BandOf(double bmi) {
    // Each lower bound belongs to the band above it.
    if (bmi < 20) return BmiBand::Underweight;
    if (bmi < 25) return BmiBand::Normal;
    if (bmi < 30) return BmiBand::Overweight;
    if (bmi < 40) return BmiBand::Obese;
    return BmiBand::Extreme;
}

Rgb BandColour(BmiBand band) {
    switch (band) {
        case BmiBand::Underweight:
            return {0, 0, 255};
        case BmiBand::Normal:
            return {0, 128, 0};
        case BmiBand::Overweight:
            return {255, 128, 64};
        case BmiBand::Obese:
            return {200, 0, 0};
        case BmiBand::Extreme:
            return {255, 0, 0};
    }
    return {0, 0, 0};
}

BmiResult ComputeBmi(const BmiInput& input) {
    BmiResult result;
    double pounds = input.weight;
    if (input.weightInKilograms) pounds *= kPoundsPerKilogram;
    // "not greater than zero" also catches a NaN; an infinite weight cannot give a result.
    if (!(pounds > 0) || !std::isfinite(pounds)) {
        result.error = BmiError::WeightMissing;
        return result;
    }
    if (input.heightIndex == -1) {
        result.error = BmiError::HeightMissing;
        return result;
    }
    const double inches = input.heightInFeetInches
                              ? static_cast<double>(input.heightIndex + kFirstRowInches)
                              : ReadLeadingNumber(input.heightRowText) / kCentimetresPerInch;
    const double bmi = (pounds / (inches * inches)) * kImperialFactor;
    double ideal = ((inches * inches) * kTargetBmi) / kImperialFactor;
    if (input.weightInKilograms) ideal /= kPoundsPerKilogram;
    if (!std::isfinite(bmi) || !std::isfinite(ideal)) {  // a weight past the double range
        result.error = BmiError::WeightMissing;
        return result;
    }
    result.bmi = bmi;
    result.idealWeight = ideal;
    result.band = BandOf(bmi);
    return result;
}

std::string FormatBmi(double value) {
    return FormatDecimals(value, 1, 2);
}

std::string FormatIdealWeight(double value) {
    return FormatDecimals(value, 2, 2);
}

}  // namespace core
