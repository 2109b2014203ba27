#pragma once
// The calculator as a user meets it, free of any toolkit: it holds the inputs (the weight as
// typed, the two units, the selected height row), gives the rows of the height list and the
// result of a calculation as texts and colours to show, says what to save and what clears a
// result shown. A window only shows what it gives and hands it every change of an input; the
// flashing of an extreme result is timed by the window.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/core/Bmi.h"
#include "app/core/BmiBands.h"
#include "app/core/HeightList.h"
#include "app/core/Units.h"
#include "app/core/UserLanguage.h"

namespace core {

// The inputs kept between runs, by key: "Weight" (as typed), "Height" (the row), "WeightUnit"
// and "HeightUnit" (SettingText), in application "Corpometer", section "Settings".
using StoredInputs = std::map<std::string, std::string>;
inline constexpr char kSettingsApplication[] = "Corpometer";
inline constexpr char kSettingsSection[] = "Settings";

// A calculation's result, ready to show.
struct CalculatorResult {
    std::string figure;  // the BMI in the user's number format: "21.33", "20,0"
    BmiBand band;        // the band of the figure as shown
    Rgb colour;          // the figure's colour; an extreme one starts bright and flashes
    std::string bandName;
    std::string idealWeightLine;  // "Weight for 22.5 BMI : 147.68 lbs"
    bool flashes;
    std::string announcement;  // what a screen reader says: the figure, then the band's name
};

// What pressing Calculate gives: a message to show, with everything else left as it was, or a
// result to show and the inputs to save.
struct CalculationOutcome {
    std::string message;
    std::optional<CalculatorResult> result;
    StoredInputs toSave;
};

class Calculator {
  public:
    explicit Calculator(UserLanguage language = {});

    // Start-up: the inputs the stored ones give (weight "140", pounds, feet and inches, row 20
    // when nothing is stored). A stored row outside its list selects nothing.
    void Restore(const StoredInputs& stored);

    const std::string& WeightText() const { return weightText_; }
    WeightUnit GetWeightUnit() const { return weightUnit_; }
    HeightUnit GetHeightUnit() const { return heightUnit_; }
    // The selected row of HeightRows(), or -1.
    int HeightRow() const { return heightRow_; }
    const std::vector<core::HeightRow>& HeightRows() const { return rows_; }
    // Beside the weight: "Lbs" as designed, "Lbs." or "Kgs." once a unit has been chosen.
    std::string WeightUnitLabel() const;

    // Every change of an input. Each returns true when it clears the result shown: a result
    // belongs to the inputs it was calculated from. A new height unit brings its own rows
    // with none selected.
    bool SetWeightText(const std::string& text);
    bool SetWeightUnit(WeightUnit unit);
    bool SetHeightUnit(HeightUnit unit);
    bool SetHeightRow(int row);

    CalculationOutcome Calculate();
    bool ShowsResult() const { return showsResult_; }

    // The colour of the next flash of an extreme result: bright and dark by turns, from a phase
    // that only the start of the program sets.
    Rgb NextFlashColour();

    // The bands' texts in the user's language.
    std::string BandName(BmiBand band) const;
    std::string LegendWord(BmiBand band) const;

  private:
    std::string Text(const char* source) const;
    bool ClearResult();

    UserLanguage language_;
    std::string weightText_ = "140";
    WeightUnit weightUnit_ = WeightUnit::Pounds;
    bool weightUnitChosen_ = false;
    HeightUnit heightUnit_ = HeightUnit::FeetInches;
    std::vector<core::HeightRow> rows_;
    int heightRow_ = -1;
    bool showsResult_ = false;
    bool flashPhase_ = false;
};

}  // namespace core
