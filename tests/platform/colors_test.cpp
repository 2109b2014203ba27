// OLE colour translation and the system colour table.

#include <gtest/gtest.h>

#include "platform/SystemColors.h"

namespace {

using platform::OleTranslateColor;
using platform::gdi::COLORREF;
using platform::gdi::MakeColorRef;

TEST(OleColor, PlainReferencesAndSystemColours) {
    COLORREF rgb = 0xDEAD;
    ASSERT_TRUE(OleTranslateColor(0x00123456, &rgb));
    EXPECT_EQ(rgb, 0x123456u);
    ASSERT_TRUE(OleTranslateColor(0x02123456, &rgb));  // palette-relative: the colour itself
    EXPECT_EQ(rgb, 0x123456u);
    ASSERT_TRUE(OleTranslateColor(platform::kOleButtonFace, &rgb));
    EXPECT_EQ(rgb, MakeColorRef(240, 240, 240));
    ASSERT_TRUE(OleTranslateColor(0x80000005, &rgb));  // window background
    EXPECT_EQ(rgb, MakeColorRef(255, 255, 255));
}

TEST(OleColor, UntranslatableValuesFailWithoutWriting) {
    COLORREF rgb = 0xDEAD;
    EXPECT_FALSE(OleTranslateColor(0x80000000u + platform::kSystemColorCount, &rgb));
    EXPECT_FALSE(OleTranslateColor(0x80010005u, &rgb));  // not a system colour number
    EXPECT_FALSE(OleTranslateColor(0x01000003u, &rgb));  // palette index, no palette
    EXPECT_FALSE(OleTranslateColor(0xFF000000u, &rgb));
    EXPECT_EQ(rgb, 0xDEADu);
}

TEST(OleColor, HostCanReplaceSystemColours) {
    platform::SetSysColor(platform::kColorBtnFace, MakeColorRef(1, 2, 3));
    COLORREF rgb = 0;
    ASSERT_TRUE(OleTranslateColor(platform::kOleButtonFace, &rgb));
    EXPECT_EQ(rgb, MakeColorRef(1, 2, 3));
    platform::ResetSysColors();
    EXPECT_EQ(platform::GetSysColor(platform::kColorBtnFace), MakeColorRef(240, 240, 240));
    EXPECT_EQ(platform::GetSysColor(-1), 0u);
    EXPECT_EQ(platform::GetSysColor(99), 0u);
}

}  // namespace
