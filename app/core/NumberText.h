#pragma once
// Numbers as the user types them and as the windows show them: a lenient reader of the
// leading number of a text and a fixed-decimals formatter, the same in every locale.

#include <optional>
#include <string>

namespace core {

// Reads the leading number of a text, leniently: blanks, tabs and line feeds are dropped
// wherever they stand, then the longest prefix that forms a number is taken ("." is the
// decimal separator in every locale; sign and exponent allowed; "&H" and "&O" start
// hexadecimal and octal integers). Text that starts with no number reads 0.
double ReadLeadingNumber(const std::string& text);

// Reads a text that must be one number and nothing else, as a weight typed by a user: the
// forms ReadLeadingNumber takes, with "," as well as "." for the decimal mark (one mark at
// most), and blanks only around it. Anything left over after the number (a unit, a second
// mark, letters), a blank inside it ("7 0") or no number at all gives nothing.
std::optional<double> ReadWholeNumber(const std::string& text);

// `value` with `minDecimals` to `maxDecimals` decimals: halves round away from zero on the
// value's 15-significant-digit decimal form (as the platform's formatter does, so that
// 1.005 shows as 1.01 although its binary value is a hair below), trailing zeros beyond
// `minDecimals` are dropped, and so is the leading zero of values below 1 (".5").
std::string FormatDecimals(double value, int minDecimals, int maxDecimals);

}  // namespace core
