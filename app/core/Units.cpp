#include "app/core/Units.h"

namespace core {

const char* SettingText(WeightUnit unit) {
    return unit == WeightUnit::Kilograms ? "Kilograms" : "Pounds";
}

const char* SettingText(HeightUnit unit) {
    return unit == HeightUnit::Centimetres ? "Centimeters" : "FeetInches";
}

WeightUnit WeightUnitFromSetting(const std::string& text) {
    return text == SettingText(WeightUnit::Kilograms) ? WeightUnit::Kilograms : WeightUnit::Pounds;
}

HeightUnit HeightUnitFromSetting(const std::string& text) {
    return text == SettingText(HeightUnit::Centimetres) ? HeightUnit::Centimetres
                                                        : HeightUnit::FeetInches;
}

}  // namespace core
