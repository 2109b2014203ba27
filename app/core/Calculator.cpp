#include "app/core/Calculator.h"

#include "app/core/NumberText.h"

namespace core {
namespace {

const char kWeightKey[] = "Weight";
const char kHeightKey[] = "Height";
const char kWeightUnitKey[] = "WeightUnit";
const char kHeightUnitKey[] = "HeightUnit";
const char kDefaultWeight[] = "140";
const char kDefaultHeight[] = "20";

std::string Stored(const StoredInputs& stored, const char* key, const std::string& absent) {
    const auto found = stored.find(key);
    return found == stored.end() ? absent : found->second;
}

// A limit of the weight range as a message gives it: "10", "4.6".
std::string LimitText(double value) {
    std::string text = FormatDecimals(value, 0, 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

Calculator::Calculator(UserLanguage language)
    : language_(std::move(language)), rows_(core::HeightRows(heightUnit_)) {}

void Calculator::Restore(const StoredInputs& stored) {
    // The units before the row: a stored row is a row of the list of its unit.
    SetWeightUnit(WeightUnitFromSetting(Stored(stored, kWeightUnitKey, "")));
    SetHeightUnit(HeightUnitFromSetting(Stored(stored, kHeightUnitKey, "")));
    weightText_ = Stored(stored, kWeightKey, kDefaultWeight);
    heightRow_ = RestoredHeightRow(Stored(stored, kHeightKey, kDefaultHeight),
                                   static_cast<int>(rows_.size()));
    showsResult_ = false;
}

std::string Calculator::WeightUnitLabel() const {
    if (!weightUnitChosen_) return Text(TRANSLATABLE("core::Calculator", "Lbs"));
    return weightUnit_ == WeightUnit::Pounds ? Text(TRANSLATABLE("core::Calculator", "Lbs."))
                                             : Text(TRANSLATABLE("core::Calculator", "Kgs."));
}

bool Calculator::ClearResult() {
    const bool cleared = showsResult_;
    showsResult_ = false;
    return cleared;
}

bool Calculator::SetWeightText(const std::string& text) {
    if (text == weightText_) return false;
    weightText_ = text;
    return ClearResult();
}

bool Calculator::SetWeightUnit(WeightUnit unit) {
    if (unit == weightUnit_) return false;
    weightUnit_ = unit;
    weightUnitChosen_ = true;
    return ClearResult();
}

bool Calculator::SetHeightUnit(HeightUnit unit) {
    if (unit == heightUnit_) return false;
    heightUnit_ = unit;
    rows_ = core::HeightRows(unit);
    heightRow_ = -1;
    return ClearResult();
}

bool Calculator::SetHeightRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) row = -1;
    if (row == heightRow_) return false;
    heightRow_ = row;
    return ClearResult();
}

CalculationOutcome Calculator::Calculate() {
    BmiInput input;
    // A text that is not one number is no weight: "80kg" must not calculate with 80 pounds.
    input.weight = ReadWholeNumber(weightText_).value_or(0);
    input.weightUnit = weightUnit_;
    if (heightRow_ >= 0) input.heightInches = rows_[static_cast<std::size_t>(heightRow_)].inches;

    const BmiResult computed = ComputeBmi(input);
    const bool kilograms = weightUnit_ == WeightUnit::Kilograms;
    CalculationOutcome outcome;
    switch (computed.error) {
        case BmiError::WeightMissing:
            outcome.message = Text(TRANSLATABLE("core::Calculator", "Please specify weight"));
            return outcome;
        case BmiError::WeightOutOfRange: {
            const WeightRange range = AcceptedWeights(weightUnit_);
            const std::string message =
                kilograms ? Text(TRANSLATABLE("core::Calculator",
                                              "Please specify a weight between %1 and %2 kgs."))
                          : Text(TRANSLATABLE("core::Calculator",
                                              "Please specify a weight between %1 and %2 lbs."));
            outcome.message =
                WithArguments(message, {language_.Decimals(LimitText(range.lightest)),
                                        language_.Decimals(LimitText(range.heaviest))});
            return outcome;
        }
        case BmiError::HeightMissing:
            outcome.message = Text(TRANSLATABLE("core::Calculator", "Please specify height"));
            return outcome;
        case BmiError::None:
            break;
    }

    CalculatorResult result;
    result.figure = language_.Decimals(FormatBmi(computed.bmi));
    result.band = computed.band;
    result.flashes = computed.band == BmiBand::Extreme;
    result.colour = result.flashes ? kFlashBright : DescriptionOf(computed.band).resultShade;
    result.bandName = BandName(computed.band);
    result.announcement = result.figure + ", " + result.bandName;
    const std::string line =
        kilograms ? Text(TRANSLATABLE("core::Calculator", "Weight for %1 BMI : %2 kgs."))
                  : Text(TRANSLATABLE("core::Calculator", "Weight for %1 BMI : %2 lbs"));
    result.idealWeightLine =
        WithArguments(line, {language_.Decimals(FormatDecimals(kTargetBmi, 1, 2)),
                             language_.Decimals(FormatIdealWeight(computed.idealWeight))});
    outcome.result = result;
    outcome.toSave = {{kWeightKey, weightText_},
                      {kHeightKey, std::to_string(heightRow_)},
                      {kWeightUnitKey, SettingText(weightUnit_)},
                      {kHeightUnitKey, SettingText(heightUnit_)}};
    showsResult_ = true;
    return outcome;
}

Rgb Calculator::NextFlashColour() {
    const bool previous = flashPhase_;
    flashPhase_ = !flashPhase_;
    return previous ? kFlashDark : kFlashBright;
}

std::string Calculator::BandName(BmiBand band) const {
    return Text(DescriptionOf(band).name);
}

std::string Calculator::LegendWord(BmiBand band) const {
    return Text(DescriptionOf(band).legendWord);
}

std::string Calculator::Text(const char* source) const {
    return language_.Text(kCalculatorTextContext, source);
}

}  // namespace core
