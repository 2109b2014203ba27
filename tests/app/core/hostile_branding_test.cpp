// Hostile "3.dat" files: counts that run past the end in every text field, numbers cut in
// half, and every way a stored text can fail to descramble. The program must start with
// what can be read and empty texts for the rest.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/Branding.h"
#include "app/core/Descrambler.h"
#include "app/core/Paths.h"
#include "platform/SystemFolders.h"

namespace {

using core::Descramble;

std::string Count(std::uint16_t n) {
    return {static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)};
}

std::string Text(const std::string& bytes) {
    return Count(static_cast<std::uint16_t>(bytes.size())) + bytes;
}

// A stored text whose key is (1, 2, 3, 4) and whose plain text is `plain`.
std::string Stored(const std::string& plain) {
    std::string out = "\x01\x02\x03";
    for (size_t i = 0; i < plain.size(); ++i)
        out += static_cast<char>(static_cast<unsigned char>(plain[i]) + 1 + i % 4);
    return out + "\x04";
}

TEST(HostileBranding, EveryKeyPositionCanFailTheWholeText) {
    ASSERT_EQ(Descramble(Stored("abcdefgh")), "abcdefgh");
    for (size_t body = 0; body < 8; ++body) {
        // One below its key byte: the difference is -1, and nothing of the text survives.
        std::string below = Stored("abcdefgh");
        below[3 + body] = static_cast<char>(body % 4);
        EXPECT_EQ(Descramble(below), "") << "body byte " << body;
        // Equal to its key byte: a zero byte, which is a character like any other.
        std::string equal = Stored("abcdefgh");
        equal[3 + body] = static_cast<char>(1 + body % 4);
        EXPECT_EQ(Descramble(equal).size(), 8u) << "body byte " << body;
        EXPECT_EQ(Descramble(equal)[body], '\0');
    }
    // Keys of 255 leave room only for body bytes of 255, which decode to 0.
    EXPECT_EQ(Descramble(std::string(5, '\xFF')), std::string(1, '\0'));
    EXPECT_EQ(Descramble(std::string(4, '\xFF') + "\xFE" + "\xFF"), "");
}

TEST(HostileBranding, CountsBeyondTheFileInEveryTextField) {
    const std::string name = Text(Stored("Name"));
    const std::string title = Text(Stored("Title"));
    const std::string link = Text(Stored("Link"));
    const std::string flags = Count(1) + Count(0);
    const std::string banner = Text(Stored("b.gif"));
    const std::string sizes = Count(17) + Count(8);
    const std::vector<std::string> fields = {name, title, link, flags, banner, sizes};
    // Field k's count claims 65535 bytes of which the file holds three.
    for (size_t k : {0u, 1u, 2u, 4u}) {
        std::string bytes;
        for (size_t i = 0; i < k; ++i)
            bytes += fields[i];
        bytes += Count(65535) + "abc";
        const core::BrandingRecord record = core::ParseBrandingRecord(bytes);
        const core::BrandingValues values = core::DecodeBranding(record, "/app");
        EXPECT_EQ(values.NameText, k > 0 ? "Name" : "") << k;
        EXPECT_EQ(values.Title, k > 1 ? "Title" : "") << k;
        EXPECT_EQ(values.Link, k > 2 ? "Link" : "") << k;
        EXPECT_EQ(values.ShowPictureBanner, k > 3 ? 1 : 0) << k;
        EXPECT_EQ(values.BannerPath, std::string("/app") + platform::kPathSeparator)
            << k;  // the bare application folder
        EXPECT_EQ(record.FontName, "") << k;
    }
    // The font name's count runs past the end: everything before it stands.
    std::string all;
    for (const std::string& field : fields)
        all += field;
    const core::BrandingRecord cut = core::ParseBrandingRecord(all + Count(40000) + "Tah");
    EXPECT_EQ(cut.TitleFontSize, 8);
    EXPECT_EQ(cut.FontName, "");
    EXPECT_EQ(core::DecodeBranding(cut, "/app").BannerPath,
              std::string("/app") + platform::kPathSeparator + "b.gif");
}

TEST(HostileBranding, NumbersCutInHalfReadAsZero) {
    const std::string head = Text(Stored("N")) + Text(Stored("T")) + Text(Stored("L"));
    const core::BrandingRecord half = core::ParseBrandingRecord(head + "\x01");
    EXPECT_EQ(half.ShowPictureBanner, 0);
    EXPECT_EQ(half.ShowAnimatedBanner, 0);
    EXPECT_EQ(core::DecodeBranding(half, "/app").Link, "L");
    // A count cut in half is a text cut short.
    EXPECT_EQ(core::ParseBrandingRecord(std::string(1, '\x05')).NameText, "");
}

}  // namespace
