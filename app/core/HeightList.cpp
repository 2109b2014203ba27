#include "app/core/HeightList.h"

#include <cmath>

#include "app/core/NumberText.h"
#include "platform/Rounding.h"

namespace core {
namespace {

constexpr int kFirstFoot = 4;
constexpr int kLastFoot = 6;
constexpr int kFirstCentimetre = 121;
constexpr int kLastCentimetre = 211;
static_assert(kFirstFoot * 12 == kFirstRowInches);

}  // namespace

std::vector<HeightRow> HeightRows(HeightUnit unit) {
    std::vector<HeightRow> rows;
    if (unit == HeightUnit::Centimetres) {
        for (int cm = kFirstCentimetre; cm <= kLastCentimetre; ++cm) {
            rows.push_back({std::to_string(cm) + " cm", cm / kCentimetresPerInch});
        }
        return rows;
    }
    for (int feet = kFirstFoot; feet <= kLastFoot; ++feet) {
        for (int inches = 0; inches < 12; ++inches) {
            const std::string label =
                inches == 0 ? std::to_string(feet) + "'"
                            : std::to_string(feet) + "' " + std::to_string(inches) + "\"";
            rows.push_back({label, static_cast<double>(feet * 12 + inches)});
        }
    }
    return rows;
}

int RestoredHeightRow(const std::string& saved, int rowCount) {
    const double number = ReadLeadingNumber(saved);
    if (!std::isfinite(number)) return -1;
    const double row = platform::RoundHalfToEven(number);
    if (row < 0 || row >= rowCount) return -1;
    return static_cast<int>(row);
}

}  // namespace core
