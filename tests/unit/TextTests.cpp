// The one case-insensitive comparison and the UTF-8/UTF-16 conversions.
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace text;

TEST(CompareText, IgnoresCaseBeyondAscii) {
    EXPECT_TRUE(SameText("Software\\Orrindel\\Muralto\\OpenDialog", "SOFTWARE\\ORRINDEL\\MURALTO\\opendialog"));
    EXPECT_TRUE(SameText("Ärger Straße", "äRGER STRAßE")); // ß has no single upper-case letter
    EXPECT_TRUE(SameText("ΣΊΣΥΦΟΣ", "σίσυφος"));
    EXPECT_TRUE(SameText("Привет", "пРИВЕТ"));
    EXPECT_FALSE(SameText("Straße", "STRASSE"));
    EXPECT_FALSE(SameText("a", "ab"));
}

TEST(CompareText, OrdersByUpperCasedCodeUnits) {
    std::vector<std::string> names = {"beta", "_x", "Alpha", "alpha2", "Zeta", "émile", "Eve"};
    std::sort(names.begin(), names.end(), LessText());
    // '_' (0x5F) sorts after the upper-case letters; 'É' (0xC9) after ASCII.
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "alpha2", "beta", "Eve", "Zeta", "_x", "émile"}));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
}

TEST(Utf, RoundTripsAnyTextAndKeepsMalformedBytesApart) {
    const std::string samples[] = {"", "plain", "Grüße", "日本語", "emoji 😀 end", "C:\\Bilder\\Ünïcödé.jpg"};
    for (const auto& s : samples) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
    EXPECT_EQ(Utf8ToUtf16("😀").size(), 2u); // a surrogate pair
    const std::string bad1 = "a\xFF" "b", bad2 = "a\xFE" "b";
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(bad1)), bad1);
    EXPECT_FALSE(SameText(bad1, bad2));
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xE6\x97")), "\xE6\x97"); // truncated sequence
}

TEST(Utf, BytesStopAtNulAndIgnoreAnOddTail) {
    const uint8_t bytes[] = {'A', 0, 0xDF, 0, 0, 0, 'X', 0};
    EXPECT_EQ(Utf16ToUtf8(Utf16FromBytes(bytes, sizeof bytes)), "Aß");
    EXPECT_EQ(Utf16ToUtf8(Utf16FromBytes(bytes, 3)), "A");
    EXPECT_EQ(Utf16FromBytes(bytes, 0), u"");
}

TEST(FormatOne, ReplacesThePlaceholder) {
    EXPECT_EQ(FormatOne("Failed to get data for '%s'", "Time"), "Failed to get data for 'Time'");
    EXPECT_EQ(FormatOne("no placeholder", "x"), "no placeholder");
}
