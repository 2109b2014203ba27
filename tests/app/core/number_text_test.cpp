#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/core/NumberText.h"

using namespace core;

namespace {

struct ParseCase {
    const char* text;
    double expected;
};

}  // namespace

TEST(ReadLeadingNumber, TakesTheLongestNumericPrefixLeniently) {
    const ParseCase cases[] = {
        {"140", 140},       {"72,5", 72},   {"1 40", 140}, {"\t1\n4 0 ", 140},
        {"abc", 0},         {"", 0},        {"  ", 0},     {"-3.5kg", -3.5},
        {"+7", 7},          {".5", 0.5},    {"5.", 5},     {"1e3", 1000},
        {"1E+2x", 100},     {"2e", 2},      {"2e-", 2},    {"-", 0},
        {".", 0},           {"&H1F", 31},   {"&hff", 255}, {"&HFFFF", -1},
        {"&H10000", 65536}, {"&O17", 15},   {"&o8", 0},    {"&X1", 0},
        {"175 cm", 175},    {"1.5.5", 1.5}, {"--5", 0},    {"1e-400", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ReadLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e400")));
    EXPECT_TRUE(std::isinf(ReadLeadingNumber(std::string(400, '9'))));
}
