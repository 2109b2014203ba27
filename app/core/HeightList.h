#pragma once
// The rows of the height list in its two unit systems, and reading a saved row back.

#include <string>
#include <vector>

#include "app/core/Units.h"

namespace core {

// A row of the height list: what it shows, and the height it stands for.
struct HeightRow {
    std::string label;
    double inches;
};

inline constexpr int kFirstRowInches = 48;  // row 0 of the feet-and-inches list is 4' 0"

// Feet and inches: 4' to 6' 11" (36 rows; row r is 48 + r inches). Centimetres: 121 cm to
// 211 cm (91 rows).
std::vector<HeightRow> HeightRows(HeightUnit unit);

// The row a saved "Height" text selects in a list of `rowCount` rows: the leading number of
// the text rounded to the nearest whole number (halves to the even one), or -1 when that is
// not a row of the list.
int RestoredHeightRow(const std::string& saved, int rowCount);

}  // namespace core
