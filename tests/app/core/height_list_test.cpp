// The height list's rows, reading a saved row back, label captions and the document opener.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/DocumentOpener.h"
#include "app/core/HeightList.h"
#include "app/core/LabelText.h"
#include "app/core/Paths.h"
#include "tests/app/RecordingOpener.h"

namespace {

std::vector<std::string> Labels(core::HeightUnit unit) {
    std::vector<std::string> labels;
    for (const core::HeightRow& row : core::HeightRows(unit))
        labels.push_back(row.label);
    return labels;
}

TEST(HeightRows, FeetAndInchesRunFromFourFeetToSixFeetEleven) {
    const std::vector<std::string> rows = Labels(core::HeightUnit::FeetInches);
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_EQ(rows[0], "4'");
    EXPECT_EQ(rows[1], "4' 1\"");
    EXPECT_EQ(rows[10], "4' 10\"");
    EXPECT_EQ(rows[12], "5'");
    EXPECT_EQ(rows[20], "5' 8\"");  // the default row: 68 inches
    EXPECT_EQ(rows[35], "6' 11\"");
    EXPECT_EQ(core::HeightRows(core::HeightUnit::FeetInches)[20].inches, 68);
}

TEST(HeightRows, CentimetresRunFrom121To211) {
    const std::vector<std::string> rows = Labels(core::HeightUnit::Centimetres);
    ASSERT_EQ(rows.size(), 91u);
    EXPECT_EQ(rows.front(), "121 cm");
    EXPECT_EQ(rows[54], "175 cm");
    EXPECT_EQ(rows.back(), "211 cm");
    EXPECT_DOUBLE_EQ(core::HeightRows(core::HeightUnit::Centimetres)[54].inches, 175 / 2.54);
}

TEST(RestoredRow, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
    EXPECT_EQ(core::RestoredHeightRow("20", 36), 20);
    EXPECT_EQ(core::RestoredHeightRow("10", 36), 10);
    EXPECT_EQ(core::RestoredHeightRow("2.5", 36), 2);
    EXPECT_EQ(core::RestoredHeightRow("3.5", 36), 4);
    EXPECT_EQ(core::RestoredHeightRow("3.49", 36), 3);
    EXPECT_EQ(core::RestoredHeightRow(" 1 2", 36), 12);  // blanks go wherever they stand
    EXPECT_EQ(core::RestoredHeightRow("7 rows", 36), 7);
    EXPECT_EQ(core::RestoredHeightRow("&HA", 36), 10);
    EXPECT_EQ(core::RestoredHeightRow("-0.4", 36), 0);  // rounds to row 0
    EXPECT_EQ(core::RestoredHeightRow("abc", 36), 0);   // no number reads 0
}

TEST(RestoredRow, RowsOutsideTheListSelectNothing) {
    EXPECT_EQ(core::RestoredHeightRow("40", 36), -1);  // saved from the centimetre list
    EXPECT_EQ(core::RestoredHeightRow("40", 91), 40);
    EXPECT_EQ(core::RestoredHeightRow("35.5", 36), -1);  // 36 after rounding to even
    EXPECT_EQ(core::RestoredHeightRow("-1", 36), -1);
    EXPECT_EQ(core::RestoredHeightRow("1e300", 36), -1);
    EXPECT_EQ(core::RestoredHeightRow("1e999", 36), -1);
    EXPECT_EQ(core::RestoredHeightRow("0", 0), -1);
}

TEST(LabelDisplayText, DoubledAmpersandsShowOneAndSingleOnesShowAsTyped) {
    EXPECT_EQ(core::LabelDisplayText("(Your company name && link or small banner here)"),
              "(Your company name & link or small banner here)");
    EXPECT_EQ(core::LabelDisplayText("Smith & Sons"), "Smith & Sons");
    EXPECT_EQ(core::LabelDisplayText("&File"), "&File");
    EXPECT_EQ(core::LabelDisplayText("A &&& B"), "A && B");
    EXPECT_EQ(core::LabelDisplayText("&&&&"), "&&");
    EXPECT_EQ(core::LabelDisplayText("Tail&"), "Tail&");
    EXPECT_EQ(core::LabelDisplayText(""), "");
}

TEST(OpenDocument, HandsTheTargetToTheInstalledOpenerAndIgnoresFailures) {
    RecordingOpener opener;
    core::DocumentOpener* previous = core::SetDocumentOpener(&opener);
    core::OpenDocument("https://example.com/");
    core::OpenDocument("");  // an empty target fails quietly without asking
    opener.fail = true;
    EXPECT_NO_THROW(core::OpenDocument("manual.pdf"));
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"https://example.com/", "manual.pdf"}));

    EXPECT_EQ(core::SetDocumentOpener(nullptr), &opener);
    EXPECT_NO_THROW(core::OpenDocument("https://example.com/"));  // no opener at all
    core::SetDocumentOpener(previous);
}

}  // namespace
