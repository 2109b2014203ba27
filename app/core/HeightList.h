#pragma once
// The rows of the height list in its two unit systems, and reading a saved row back.

#include <string>
#include <vector>

namespace core {

// Unit option indexes as the window numbers its height options.
inline constexpr int kFeetInches = 0;
inline constexpr int kCentimetres = 1;

// Feet and inches: 4' to 6' 11" (36 rows; row r is 48 + r inches). Any other unit index:
// 121 cm to 211 cm (91 rows).
std::vector<std::string> HeightRows(int unitIndex);

// The row a saved "Height" text selects in a list of `rowCount` rows: the leading number of
// the text rounded to the nearest whole number (halves to the even one), or -1 when that is
// not a row of the list.
int RestoredHeightRow(const std::string& saved, int rowCount);

}  // namespace core
