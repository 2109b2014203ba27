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

Rgb ResultColour(BmiBand band) {
    if (band == BmiBand::Overweight) return {191, 96, 48};  // three quarters of the legend's
    return BandColour(band);
}

WeightRange AcceptedWeights(bool kilograms) {
    if (!kilograms) return {kLightestPounds, kHeaviestPounds};
    return {std::ceil(kLightestPounds / kPoundsPerKilogram * 10) / 10,
            std::floor(kHeaviestPounds / kPoundsPerKilogram * 10) / 10};
}

BmiResult ComputeBmi(const BmiInput& input) {
    BmiResult result;
    double pounds = input.weight;
    if (input.weightInKilograms) pounds *= kPoundsPerKilogram;
    // "Not greater than zero" also catches a NaN.
    if (!(pounds > 0)) {
        result.error = BmiError::WeightMissing;
        return result;
    }
    if (pounds < kLightestPounds || pounds > kHeaviestPounds) {
        result.error = BmiError::WeightOutOfRange;
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
    if (!std::isfinite(bmi) || !std::isfinite(ideal)) {  // a row of no height
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
