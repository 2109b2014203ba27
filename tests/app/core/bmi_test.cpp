#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/core/Bmi.h"
#include "app/core/HeightList.h"

using namespace core;

namespace {

// The height as the feet-and-inches list's row `row` gives it; -1 for none.
BmiInput FeetInches(double weight, int row, bool kilograms = false) {
    BmiInput input;
    input.weight = weight;
    input.weightUnit = kilograms ? WeightUnit::Kilograms : WeightUnit::Pounds;
    if (row >= 0) input.heightInches = HeightRows(HeightUnit::FeetInches).at(row).inches;
    return input;
}

BmiInput Centimetres(double weight, int row, bool kilograms) {
    BmiInput input = FeetInches(weight, -1, kilograms);
    input.heightInches = HeightRows(HeightUnit::Centimetres).at(row).inches;
    return input;
}

}  // namespace

TEST(ComputeBmi, WorkedExamplesShowAsTheUserSeesThem) {
    // 140 lb at 5' 8": the figures a first start shows.
    BmiResult r = ComputeBmi(FeetInches(140, 20));
    ASSERT_EQ(r.error, BmiError::None);
    EXPECT_NEAR(r.bmi, 21.3300, 1e-4);
    EXPECT_EQ(r.band, BmiBand::Normal);
    EXPECT_EQ(FormatBmi(r.bmi), "21.33");
    EXPECT_EQ(FormatIdealWeight(r.idealWeight), "147.68");

    // 70 kg at 5' 9": computed in pounds, the ideal weight converted back to kilograms.
    r = ComputeBmi(FeetInches(70, 21, true));
    ASSERT_EQ(r.error, BmiError::None);
    EXPECT_EQ(FormatBmi(r.bmi), "22.79");
    EXPECT_EQ(FormatIdealWeight(r.idealWeight), "69.12");

    // 70 kg at 175 cm: the row's centimetres divided by 2.54.
    r = ComputeBmi(Centimetres(70, 54, true));
    ASSERT_EQ(r.error, BmiError::None);
    EXPECT_EQ(FormatBmi(r.bmi), "22.86");
}

TEST(ComputeBmi, EachLowerBoundBelongsToTheBandAbove) {
    EXPECT_EQ(BandOf(19.999), BmiBand::Underweight);
    EXPECT_EQ(BandOf(20), BmiBand::Normal);
    EXPECT_EQ(BandOf(24.999), BmiBand::Normal);
    EXPECT_EQ(BandOf(25), BmiBand::Overweight);
    EXPECT_EQ(BandOf(30), BmiBand::Obese);
    EXPECT_EQ(BandOf(39.999), BmiBand::Obese);
    EXPECT_EQ(BandOf(40), BmiBand::Extreme);
    // A weight that gives exactly 25 at 100 inches: 25 * 10000 / 704.5 pounds.
    BmiInput exact = FeetInches(25.0 * 10000 / 704.5, -1);
    exact.heightInches = 100;
    const BmiResult r = ComputeBmi(exact);
    EXPECT_EQ(r.band, BmiBand::Overweight) << r.bmi;
}

TEST(ComputeBmi, WeightIsCheckedAfterConversionAndBeforeHeight) {
    for (double weight : {0.0, -5.0, std::nan("")}) {
        EXPECT_EQ(ComputeBmi(FeetInches(weight, 20)).error, BmiError::WeightMissing) << weight;
        EXPECT_EQ(ComputeBmi(FeetInches(weight, -1)).error, BmiError::WeightMissing) << weight;
    }
    EXPECT_EQ(ComputeBmi(FeetInches(140, -1)).error, BmiError::HeightMissing);
}

TEST(ComputeBmi, WeightsNoPersonHasAreRefusedAndEveryOtherFigureFitsItsPattern) {
    EXPECT_EQ(ComputeBmi(FeetInches(9.99, 20)).error, BmiError::WeightOutOfRange);
    EXPECT_EQ(ComputeBmi(FeetInches(1500.01, 20)).error, BmiError::WeightOutOfRange);
    EXPECT_EQ(ComputeBmi(FeetInches(999999, -1, true)).error, BmiError::WeightOutOfRange);
    EXPECT_EQ(ComputeBmi(FeetInches(std::numeric_limits<double>::infinity(), 20)).error,
              BmiError::WeightOutOfRange);
    // The range shown for kilograms holds only weights that are accepted.
    const WeightRange kilograms = AcceptedWeights(WeightUnit::Kilograms);
    EXPECT_DOUBLE_EQ(kilograms.lightest, 4.6);
    EXPECT_DOUBLE_EQ(kilograms.heaviest, 681.8);
    for (double limit : {kilograms.lightest, kilograms.heaviest}) {
        EXPECT_EQ(ComputeBmi(FeetInches(limit, 20, true)).error, BmiError::None) << limit;
    }
    EXPECT_EQ(ComputeBmi(FeetInches(4.5, 20, true)).error, BmiError::WeightOutOfRange);
    // The extremes at the shortest and tallest rows of both lists: at most three whole digits.
    for (double pounds : {10.0, 1500.0}) {
        for (const BmiInput& input :
             {FeetInches(pounds, 0), FeetInches(pounds, 35), Centimetres(pounds, 0, false),
              Centimetres(pounds, 90, false)}) {
            const BmiResult r = ComputeBmi(input);
            ASSERT_EQ(r.error, BmiError::None) << pounds;
            EXPECT_GE(r.bmi, 1) << pounds;
            EXPECT_LT(r.bmi, 1000) << pounds;
        }
    }
}

TEST(ComputeBmi, BandColoursMatchTheLegend) {
    EXPECT_EQ(DescriptionOf(BmiBand::Normal).colour.green, 128);
    EXPECT_EQ(DescriptionOf(BmiBand::Overweight).colour.blue, 64);
    EXPECT_EQ(DescriptionOf(BmiBand::Obese).colour.red, 200);
    EXPECT_EQ(DescriptionOf(BmiBand::Underweight).colour.blue, 255);
    EXPECT_EQ(DescriptionOf(BmiBand::Extreme).colour.red, 255);
}

TEST(DisplayPatterns, DecimalsAndLeadingZero) {
    EXPECT_EQ(FormatBmi(25), "25.0");
    EXPECT_EQ(FormatBmi(25.1), "25.1");
    EXPECT_EQ(FormatBmi(0.5), ".5");
    EXPECT_EQ(FormatBmi(0.004), ".0");
    EXPECT_EQ(FormatBmi(99.999), "100.0");
    EXPECT_EQ(FormatBmi(1234567.891), "1234567.89");
    EXPECT_EQ(FormatIdealWeight(0.5), ".50");
    EXPECT_EQ(FormatIdealWeight(3), "3.00");
    EXPECT_EQ(FormatIdealWeight(9.999), "10.00");
    // Halves round away from zero on the decimal form: 1.005 and 0.125 both round up.
    EXPECT_EQ(FormatIdealWeight(1.005), "1.01");
    EXPECT_EQ(FormatIdealWeight(0.125), ".13");
    EXPECT_EQ(FormatBmi(2.675), "2.68");
    EXPECT_EQ(FormatBmi(1e20), "100000000000000000000.0");
}
