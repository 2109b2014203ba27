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

TEST(ReadWholeNumber, AWeightIsOneNumberWithADecimalPointOrComma) {
    const ParseCase taken[] = {
        {"70,5", 70.5}, {"70.5", 70.5}, {" +72 ", 72}, {"\t140\n", 140}, {",5", 0.5},
        {"5,", 5},      {"1e2", 100},   {"&H1F", 31},  {"-3", -3},
    };
    for (const auto& c : taken) {
        const auto read = ReadWholeNumber(c.text);
        ASSERT_TRUE(read.has_value()) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(*read, c.expected) << '"' << c.text << '"';
    }
    // What is left over after the number would otherwise be dropped without a word.
    for (const char* refused : {"80kg", "70.5.3", "70,5,3", "7,5.3", "12 lbs", "", "kg", "&H",
                                "&HFZ", "2e", "+", "1.5-", "7 0", "1\t40", "- 5", "1e 2"}) {
        EXPECT_FALSE(ReadWholeNumber(refused).has_value()) << '"' << refused << '"';
    }
}
