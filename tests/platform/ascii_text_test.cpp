// The case-insensitive comparison: only A to Z fold, lengths count, ordering follows the lower case;
// lower-casing and trimming by the same narrow rules.
#include "platform/ascii_text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace qn {
namespace {

struct TSameCase
{
    std::string_view A;
    std::string_view B;
    bool Same;
};

TEST(AsciiText, OnlyTheLettersAToZIgnoreCase)
{
    const TSameCase cases[] = {
        {"", "", true},
        {"CompanyName", "companyname", true},
        {"Size(1920x1080)", "SIZE(1920X1080)", true},
        {"eth0", "eth", false},
        {"eth", "eth0", false},
        // One bit apart like the letters, but not letters: a fold by bit would match them.
        {"@", "`", false},
        {"[", "{", false},
        {"^", "~", false},
        // Non-ASCII letters stay as they are, byte for byte.
        {"\xC3\xA9", "\xC3\x89", false},
        {"\xC3\xA9", "\xC3\xA9", true},
    };
    for (const TSameCase& c : cases) {
        EXPECT_EQ(SameText(c.A, c.B), c.Same) << '"' << c.A << "\" vs \"" << c.B << '"';
        EXPECT_EQ(SameText(c.B, c.A), c.Same) << "symmetric: \"" << c.B << "\" vs \"" << c.A << '"';
    }
}

TEST(AsciiText, LowerCaseAndTrimTouchOnlyAToZAndTheCodesUpTo32)
{
    EXPECT_EQ(LowerCaseText("Eth0-WLAN@[X]\xC3\x89"), "eth0-wlan@[x]\xC3\x89");
    EXPECT_EQ(TrimText(std::string_view("\0\t eth0 \x1f", 10)), "eth0");
    EXPECT_EQ(TrimText(" a b\r\n"), "a b");
    EXPECT_EQ(TrimText("\xC2\xA0x\x7F"), "\xC2\xA0x\x7F") << "no wider blank, and DEL is no blank";
    EXPECT_EQ(TrimText(" \t "), "");
}

TEST(AsciiText, Utf16TextFoldsTheSameLettersAndNoWiderCodeUnit)
{
    EXPECT_TRUE(SameText(u"StringFileInfo", "stringfileinfo"));
    EXPECT_TRUE(SameText(u"StringFileInfo", u"STRINGFILEINFO"));
    EXPECT_FALSE(SameText(u"StringFileInfo", "StringFileInf"));
    // A code unit above 0xFF whose low byte is a letter must not be taken for that letter.
    EXPECT_FALSE(SameText(u"\u0161", "a"));
    EXPECT_FALSE(SameText(u"\u0141", "A"));
    EXPECT_FALSE(SameText(u"\u0161", u"a"));
    // The Kelvin sign folds to "k" in Unicode, not here.
    EXPECT_FALSE(SameText(u"\u212A", "k"));
}

TEST(AsciiText, OrderIsThatOfTheLowerCaseForms)
{
    EXPECT_EQ(CompareText("Visible", "visible"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("ABD", "abc"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0) << "a prefix sorts first";
    EXPECT_GT(CompareText("ABC", "ab"), 0);
    // "_" lies between the upper and the lower case letters: folding to upper case would put it last.
    EXPECT_LT(CompareText("_x", "Ax"), 0);
    EXPECT_LT(CompareText(u"_x", u"Ax"), 0);
    EXPECT_LT(CompareText(u"Align", u"enabled"), 0);
    EXPECT_EQ(CompareText(u"ENABLED", u"enabled"), 0);
    // Bytes above 0x7F sort after every ASCII character, not before as signed chars would.
    EXPECT_GT(CompareText("\xC3\xA9", "z"), 0);
}

} // namespace
} // namespace qn
