#pragma once
// The units a user can choose, and the texts they are stored under between runs.

#include <string>

namespace core {

enum class WeightUnit { Pounds, Kilograms };
enum class HeightUnit { FeetInches, Centimetres };

inline constexpr double kPoundsPerKilogram = 2.2;
inline constexpr double kCentimetresPerInch = 2.54;

// "Pounds", "Kilograms"; "FeetInches", "Centimeters".
const char* SettingText(WeightUnit unit);
const char* SettingText(HeightUnit unit);
// The unit a stored text names; any other text (none stored, a damaged file) gives the unit a
// first start has: pounds, feet and inches.
WeightUnit WeightUnitFromSetting(const std::string& text);
HeightUnit HeightUnitFromSetting(const std::string& text);

}  // namespace core
