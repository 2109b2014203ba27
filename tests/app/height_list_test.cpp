// The height list's rows, reading a saved row back, label captions and the document opener.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "DocumentOpener.h"
#include "LabelText.h"
#include "RecordingOpener.h"
#include "mHeightList.h"
#include "mUtils.h"

namespace {

TEST(HeightRows, FeetAndInchesRunFromFourFeetToSixFeetEleven) {
    const std::vector<std::string> rows = mHeightList::Rows(mHeightList::kFeetInches);
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_EQ(rows[0], "4'");
    EXPECT_EQ(rows[1], "4' 1\"");
    EXPECT_EQ(rows[10], "4' 10\"");
    EXPECT_EQ(rows[12], "5'");
    EXPECT_EQ(rows[20], "5' 8\"");  // the default row: 68 inches
    EXPECT_EQ(rows[35], "6' 11\"");
}

TEST(HeightRows, CentimetresForEveryOtherUnitIndex) {
    for (int unit : {mHeightList::kCentimetres, 7, -1}) {
        const std::vector<std::string> rows = mHeightList::Rows(unit);
        ASSERT_EQ(rows.size(), 91u);
        EXPECT_EQ(rows.front(), "121 cm");
        EXPECT_EQ(rows[54], "175 cm");
        EXPECT_EQ(rows.back(), "211 cm");
    }
}

TEST(RestoredRow, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
    EXPECT_EQ(mHeightList::RestoredRow("20", 36), 20);
    EXPECT_EQ(mHeightList::RestoredRow("10", 36), 10);
    EXPECT_EQ(mHeightList::RestoredRow("2.5", 36), 2);
    EXPECT_EQ(mHeightList::RestoredRow("3.5", 36), 4);
    EXPECT_EQ(mHeightList::RestoredRow("3.49", 36), 3);
    EXPECT_EQ(mHeightList::RestoredRow(" 1 2", 36), 12);  // blanks go wherever they stand
    EXPECT_EQ(mHeightList::RestoredRow("7 rows", 36), 7);
    EXPECT_EQ(mHeightList::RestoredRow("&HA", 36), 10);
    EXPECT_EQ(mHeightList::RestoredRow("-0.4", 36), 0);  // rounds to row 0
    EXPECT_EQ(mHeightList::RestoredRow("abc", 36), 0);   // no number reads 0
}

TEST(RestoredRow, RowsOutsideTheListSelectNothing) {
    EXPECT_EQ(mHeightList::RestoredRow("40", 36), -1);  // saved from the centimetre list
    EXPECT_EQ(mHeightList::RestoredRow("40", 91), 40);
    EXPECT_EQ(mHeightList::RestoredRow("35.5", 36), -1);  // 36 after rounding to even
    EXPECT_EQ(mHeightList::RestoredRow("-1", 36), -1);
    EXPECT_EQ(mHeightList::RestoredRow("1e300", 36), -1);
    EXPECT_EQ(mHeightList::RestoredRow("1e999", 36), -1);
    EXPECT_EQ(mHeightList::RestoredRow("0", 0), -1);
}

TEST(LabelDisplayText, DoubledAmpersandsShowOneAndSingleOnesMarkAMnemonic) {
    EXPECT_EQ(LabelDisplayText("(Your company name && link or small banner here)"),
              "(Your company name & link or small banner here)");
    EXPECT_EQ(LabelDisplayText("&File"), "File");
    EXPECT_EQ(LabelDisplayText("A &&& B"), "A & B");
    EXPECT_EQ(LabelDisplayText("&&&&"), "&&");
    EXPECT_EQ(LabelDisplayText("Tail&"), "Tail&");
    EXPECT_EQ(LabelDisplayText(""), "");
}

TEST(OpenDocument, HandsTheTargetToTheInstalledOpenerAndIgnoresFailures) {
    RecordingOpener opener;
    DocumentOpener* previous = mUtils::SetDocumentOpener(&opener);
    mUtils::OpenDocument("https://example.com/");
    mUtils::OpenDocument("");  // an empty target fails quietly without asking
    opener.fail = true;
    EXPECT_NO_THROW(mUtils::OpenDocument("manual.pdf"));
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"https://example.com/", "manual.pdf"}));

    EXPECT_EQ(mUtils::SetDocumentOpener(nullptr), &opener);
    EXPECT_NO_THROW(mUtils::OpenDocument("https://example.com/"));  // no opener at all
    mUtils::SetDocumentOpener(previous);
}

}  // namespace
