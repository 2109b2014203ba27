// The calculator as a window drives it: inputs in, texts and colours out.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/core/Calculator.h"

using namespace core;

namespace {

constexpr int kFiveFeetRow = 12;       // 60 inches
constexpr int k175CentimetreRow = 54;  // 68.9 inches

// A weight text that gives `bmi` at `inches`, in the unit given.
std::string WeightFor(double bmi, double inches, WeightUnit unit) {
    double pounds = bmi * inches * inches / kImperialFactor;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f",
                  unit == WeightUnit::Kilograms ? pounds / kPoundsPerKilogram : pounds);
    return text;
}

CalculatorResult ResultOf(Calculator& calculator) {
    const CalculationOutcome outcome = calculator.Calculate();
    EXPECT_EQ(outcome.message, "");
    return outcome.result.value_or(CalculatorResult{});
}

TEST(Calculator, TheBandIsTheBandOfTheFigureShown) {
    Calculator calculator;
    calculator.SetHeightRow(kFiveFeetRow);
    calculator.SetWeightText("102.185");  // BMI 19.997
    CalculatorResult result = ResultOf(calculator);
    EXPECT_EQ(result.figure, "20.0");
    EXPECT_EQ(result.band, BmiBand::Normal);
    EXPECT_EQ(result.bandName, "Normal");
    EXPECT_EQ(result.colour, DescriptionOf(BmiBand::Normal).colour);
    EXPECT_EQ(result.announcement, "20.0, Normal");

    struct Edge {
        double bmi;
        const char* shownJustBelow;
        BmiBand below, above;
    };
    const Edge edges[] = {{20, "19.99", BmiBand::Underweight, BmiBand::Normal},
                          {25, "24.99", BmiBand::Normal, BmiBand::Overweight},
                          {30, "29.99", BmiBand::Overweight, BmiBand::Obese},
                          {40, "39.99", BmiBand::Obese, BmiBand::Extreme}};
    for (const WeightUnit unit : {WeightUnit::Pounds, WeightUnit::Kilograms}) {
        Calculator both;
        both.SetWeightUnit(unit);
        const bool metric = unit == WeightUnit::Kilograms;
        if (metric) both.SetHeightUnit(HeightUnit::Centimetres);
        const int row = metric ? k175CentimetreRow : kFiveFeetRow;
        both.SetHeightRow(row);
        const double inches = both.HeightRows()[row].inches;
        for (const Edge& edge : edges) {
            SCOPED_TRACE(std::to_string(edge.bmi) + (metric ? " kg" : " lb"));
            both.SetWeightText(WeightFor(edge.bmi - 0.006, inches, unit));
            result = ResultOf(both);
            EXPECT_EQ(result.figure, edge.shownJustBelow);
            EXPECT_EQ(result.band, edge.below);
            EXPECT_FALSE(result.flashes);

            both.SetWeightText(WeightFor(edge.bmi - 0.003, inches, unit));
            result = ResultOf(both);
            EXPECT_EQ(result.figure, std::to_string(static_cast<int>(edge.bmi)) + ".0");
            EXPECT_EQ(result.band, edge.above);
            EXPECT_EQ(result.bandName, DescriptionOf(edge.above).name);
            EXPECT_EQ(result.flashes, edge.above == BmiBand::Extreme);
        }
    }
}

TEST(Calculator, TextsAndNumbersComeInTheUsersLanguage) {
    UserLanguage german;
    german.decimalMark = ",";
    german.translate = [](const char*, const char* source) -> std::string {
        const std::string text = source;
        if (text == "Weight for %1 BMI : %2 lbs") return "Gewicht für BMI %1: %2 Pfd.";
        if (text == "Please specify a weight between %1 and %2 kgs.") return "zwischen %1 und %2";
        if (text == "Normal") return "Normalgewicht";
        return text;
    };
    Calculator calculator(german);
    calculator.Restore({});
    const CalculatorResult result = ResultOf(calculator);
    EXPECT_EQ(result.figure, "21,33");
    EXPECT_EQ(result.idealWeightLine, "Gewicht für BMI 22,5: 147,68 Pfd.");
    EXPECT_EQ(result.announcement, "21,33, Normalgewicht");

    calculator.SetWeightUnit(WeightUnit::Kilograms);
    calculator.SetWeightText("4");
    EXPECT_EQ(calculator.Calculate().message, "zwischen 4,6 und 681,8");
}

TEST(Calculator, ARefusedInputIsSaidAndChangesNothing) {
    Calculator calculator;
    calculator.Restore({});
    ASSERT_TRUE(ResultOf(calculator).figure == "21.33");
    for (const char* weight : {"", "0", "80kg", "heavy"}) {
        calculator.SetWeightText(weight);
        const CalculationOutcome outcome = calculator.Calculate();
        EXPECT_EQ(outcome.message, "Please specify weight") << weight;
        EXPECT_FALSE(outcome.result);
        EXPECT_TRUE(outcome.toSave.empty());
    }
    calculator.SetWeightText("9");
    EXPECT_EQ(calculator.Calculate().message, "Please specify a weight between 10 and 1500 lbs.");
    calculator.SetWeightText("140");
    calculator.SetHeightUnit(HeightUnit::Centimetres);  // no row is selected in the new list
    EXPECT_EQ(calculator.HeightRow(), -1);
    EXPECT_EQ(calculator.Calculate().message, "Please specify height");
}

TEST(Calculator, EveryChangeOfAnInputClearsTheResultShown) {
    Calculator calculator;
    calculator.Restore({});
    EXPECT_FALSE(calculator.SetWeightText("150"));  // nothing shown yet
    const auto calculated = [&] { return calculator.Calculate().result.has_value(); };

    ASSERT_TRUE(calculated());
    EXPECT_FALSE(calculator.SetWeightText("150"));  // the same text is no change
    EXPECT_FALSE(calculator.SetHeightRow(calculator.HeightRow()));
    EXPECT_TRUE(calculator.ShowsResult());
    EXPECT_TRUE(calculator.SetWeightText("151"));
    ASSERT_TRUE(calculated());
    EXPECT_TRUE(calculator.SetWeightUnit(WeightUnit::Kilograms));
    ASSERT_TRUE(calculated());
    EXPECT_TRUE(calculator.SetHeightRow(3));
    ASSERT_TRUE(calculated());
    EXPECT_TRUE(calculator.SetHeightRow(-1));
    calculator.SetHeightRow(3);
    ASSERT_TRUE(calculated());
    EXPECT_TRUE(calculator.SetHeightUnit(HeightUnit::Centimetres));
    EXPECT_FALSE(calculator.ShowsResult());
}

TEST(Calculator, UnitsAndRowComeBackAtTheNextStart) {
    Calculator first;
    first.Restore({});
    EXPECT_EQ(first.WeightText(), "140");
    EXPECT_EQ(first.HeightRow(), 20);
    EXPECT_EQ(first.HeightRows()[20].label, "5' 8\"");
    EXPECT_EQ(first.WeightUnitLabel(), "Lbs");

    first.SetWeightUnit(WeightUnit::Kilograms);
    first.SetHeightUnit(HeightUnit::Centimetres);
    first.SetHeightRow(40);  // a row the feet-and-inches list does not have
    first.SetWeightText("70,5 ");
    const StoredInputs saved = first.Calculate().toSave;
    EXPECT_EQ(saved.at("Weight"), "70,5 ");  // as typed

    Calculator next;
    next.Restore(saved);
    EXPECT_EQ(next.GetWeightUnit(), WeightUnit::Kilograms);
    EXPECT_EQ(next.WeightUnitLabel(), "Kgs.");
    EXPECT_EQ(next.GetHeightUnit(), HeightUnit::Centimetres);
    EXPECT_EQ(next.HeightRow(), 40);
    EXPECT_EQ(next.HeightRows()[40].label, "161 cm");
    EXPECT_EQ(next.WeightText(), "70,5 ");

    // A stored unit the program does not know starts as a first start does.
    StoredInputs damaged = saved;
    damaged["HeightUnit"] = "Cubits";
    next.Restore(damaged);
    EXPECT_EQ(next.GetHeightUnit(), HeightUnit::FeetInches);
    EXPECT_EQ(next.HeightRow(), -1);  // 40 is past the 36 rows of feet and inches
}

}  // namespace
