#include "app/core/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace core {
namespace {

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') out += c;
    }
    return out;
}

// "&H" and "&O" integers: up to four digits they are 16-bit, up to eight 32-bit, both
// signed, as the platform's number reader has it (so "&HFFFF" reads -1). `pos` is left after
// the last digit.
double ReadRadixInteger(const std::string& s, std::size_t& pos, int radix) {
    std::uint64_t value = 0;
    std::size_t digits = 0;
    bool huge = false;
    double approx = 0;
    for (; pos < s.size(); ++pos) {
        const int c = std::tolower(static_cast<unsigned char>(s[pos]));
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= radix) break;
        approx = approx * radix + digit;
        if (value > (UINT64_MAX >> 4)) huge = true;
        value = value * radix + static_cast<std::uint64_t>(digit);
        if (value != 0 || digits > 0) ++digits;
    }
    if (huge || value > 0xFFFFFFFFull) return approx;
    if (value <= 0xFFFF && (radix == 16 ? digits <= 4 : value <= 0xFFFF)) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::size_t SkipDigits(const std::string& s, std::size_t pos) {
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    return pos;
}

// The number at the start of `s` (blanks already dropped) and where it ends; `end` is 0 when
// `s` starts with no number. `commaIsMark`: "," is a decimal mark as well as ".".
struct LeadingNumber {
    double value = 0;
    std::size_t end = 0;
};

LeadingNumber ScanNumber(const std::string& s, bool commaIsMark) {
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind != 'H' && kind != 'O') return {};
        std::size_t pos = 2;
        const double value = ReadRadixInteger(s, pos, kind == 'H' ? 16 : 8);
        return {value, pos > 2 ? pos : 0};
    }
    // The longest prefix of the form [sign] digits [mark digits] [E [sign] digits].
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    const std::size_t intStart = pos;
    pos = SkipDigits(s, pos);
    bool anyDigits = pos > intStart;
    std::size_t mark = std::string::npos;
    if (pos < s.size() && (s[pos] == '.' || (commaIsMark && s[pos] == ','))) {
        mark = pos;
        const std::size_t fracStart = pos + 1;
        const std::size_t fracEnd = SkipDigits(s, fracStart);
        anyDigits = anyDigits || fracEnd > fracStart;
        pos = fracEnd;
    }
    if (!anyDigits) return {};
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-')) ++expPos;
        const std::size_t expEnd = SkipDigits(s, expPos);
        if (expEnd > expPos) pos = expEnd;  // an exponent without digits is not part of it
    }
    // from_chars reads "." as the separator whatever the locale; it takes no "+".
    const bool negative = s[0] == '-';
    const std::size_t start = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    std::string number = s.substr(start, pos - start);
    if (mark != std::string::npos) number[mark - start] = '.';
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Past the double range: an exponent below zero underflows to 0, else it overflows.
        const std::size_t e = number.find_first_of("eE");
        const bool underflow =
            e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return {negative ? -value : value, pos};
}

}  // namespace

double ReadLeadingNumber(const std::string& text) {
    return ScanNumber(WithoutBlanks(text), false).value;
}

std::optional<double> ReadWholeNumber(const std::string& text) {
    // Blanks around the number are nothing; blanks inside it part two numbers ("7 0").
    const std::size_t first = text.find_first_not_of(" \t\n");
    const std::size_t last = text.find_last_not_of(" \t\n");
    const std::string s = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    if (s.find_first_of(" \t\n") != std::string::npos) return std::nullopt;
    const LeadingNumber number = ScanNumber(s, true);
    if (number.end == 0 || number.end != s.size()) return std::nullopt;
    return number.value;
}

std::string FormatDecimals(double value, int minDecimals, int maxDecimals) {
    if (!std::isfinite(value)) return std::to_string(value);
    char digitsBuf[64];
    std::snprintf(digitsBuf, sizeof digitsBuf, "%.14e", std::fabs(value));
    // digitsBuf: d.dddddddddddddde[+-]XX
    std::string mantissa;
    mantissa += digitsBuf[0];
    mantissa.append(digitsBuf + 2, 14);
    const int exponent = std::atoi(std::strchr(digitsBuf, 'e') + 1);

    // Position the decimal point: integer digits are mantissa[0 .. exponent].
    std::string intPart, fracPart;
    if (exponent >= 0) {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (intLen >= mantissa.size()) {
            intPart = mantissa + std::string(intLen - mantissa.size(), '0');
        } else {
            intPart = mantissa.substr(0, intLen);
            fracPart = mantissa.substr(intLen);
        }
    } else {
        fracPart = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    fracPart.resize(std::max(fracPart.size(), static_cast<std::size_t>(maxDecimals + 1)), '0');

    const bool roundUp = fracPart[maxDecimals] >= '5';
    std::string kept = intPart + fracPart.substr(0, maxDecimals);
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i >= 0)
            ++kept[i];
        else {
            kept.insert(kept.begin(), '1');
            intPart.insert(intPart.begin(), '0');  // one more integer digit
        }
    }
    std::string whole = kept.substr(0, intPart.size());
    std::string decimals = kept.substr(intPart.size());
    while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0')
        decimals.pop_back();
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "" : whole.substr(firstNonZero);

    const bool negative = value < 0 && (whole.find_first_not_of('0') != std::string::npos ||
                                        decimals.find_first_not_of('0') != std::string::npos);
    return (negative ? "-" : "") + whole + "." + decimals;
}

}  // namespace core
