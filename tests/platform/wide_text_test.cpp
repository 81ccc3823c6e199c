// The UTF-8/UTF-16 codec of the service's wide fields: pairs, lone halves, bytes that are not UTF-8, cuts.
#include "platform/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qn {
namespace {

std::u16string ToWide(std::string_view AText, std::size_t ACapacity = 64)
{
    std::vector<WCHAR> field(ACapacity, u'#');
    const std::size_t n = Utf8ToWide(AText, field.data(), field.size());
    EXPECT_EQ(field[n], 0) << "always terminated right after the text";
    return std::u16string(field.data(), n);
}

std::string ToUtf8(const std::u16string& AText)
{
    return WideToUtf8(AText.c_str(), AText.size() + 1);
}

const std::string Bad = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

TEST(WideText, EveryPlaneRoundTripsAndAstralCharactersUseASurrogatePair)
{
    for (const std::string text :
         {"eth0", "Wi-Fi \xC3\xA9t\xC3\xA9", "\xE2\x82\xAC 5", "\xF0\x9F\x98\x80!", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"})
        EXPECT_EQ(ToUtf8(ToWide(text)), text);
    EXPECT_EQ(ToWide("\xF0\x9F\x98\x80"), std::u16string(u"\xD83D\xDE00"));
    EXPECT_EQ(ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

TEST(WideText, LoneSurrogatesBecomeTheReplacementCharacter)
{
    EXPECT_EQ(ToUtf8(std::u16string(u"a") + char16_t(0xD800)), "a" + Bad) << "high half at the end";
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800)) + u"b"), Bad + "b") << "high half before a plain one";
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xDC00)) + u"c"), Bad + "c") << "low half alone";
    EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xDC00), char16_t(0xD800)}), Bad + Bad) << "halves in the wrong order";
    // A pair cut by the field's length is a lone half, not a read past the field.
    const char16_t field[] = {u'x', char16_t(0xD83D), char16_t(0xDE00), 0};
    EXPECT_EQ(WideToUtf8(field, 2), "x" + Bad);
    EXPECT_EQ(WideToUtf8(field, 3), "x\xF0\x9F\x98\x80");
}

TEST(WideText, EachByteOfMalformedUtf8IsOneEscapeAndTheTextAroundItIsKept)
{
    const auto esc = [](unsigned char AByte) { return std::u16string(1, char16_t(0xDC00 + AByte)); };
    EXPECT_EQ(ToWide("a\xC0\x80"
                     "b"),
              u"a" + esc(0xC0) + esc(0x80) + u"b")
        << "overlong NUL";
    EXPECT_EQ(ToWide("\xE0\x80\xAF"), esc(0xE0) + esc(0x80) + esc(0xAF)) << "overlong slash";
    EXPECT_EQ(ToWide("\xED\xA0\x80"), esc(0xED) + esc(0xA0) + esc(0x80)) << "an encoded surrogate";
    EXPECT_EQ(ToWide("\xF4\x90\x80\x80").size(), 4u) << "above U+10FFFF";
    EXPECT_EQ(ToWide("a\xE2\x82"), u"a" + esc(0xE2) + esc(0x82)) << "a truncated sequence at the end";
    EXPECT_EQ(ToWide("\xE2(\xA1"), esc(0xE2) + u"(" + esc(0xA1)) << "a plain byte ends a broken sequence";
    EXPECT_EQ(ToWide(std::string("ab\0cd", 5)), u"ab") << "a NUL ends the text";
}

TEST(WideText, TheFieldIsCutOnACharacterBoundaryAndAlwaysTerminated)
{
    EXPECT_EQ(ToWide("a\xF0\x9F\x98\x80", 3), u"a") << "no room for both halves: neither is written";
    EXPECT_EQ(ToWide("a\xF0\x9F\x98\x80", 4), std::u16string(u"a\xD83D\xDE00"));
    EXPECT_EQ(ToWide("abc", 1), u"");
    EXPECT_EQ(ToWide("abcdef", 4), u"abc");

    WCHAR untouched[2] = {u'#', u'#'};
    EXPECT_EQ(Utf8ToWide("abc", untouched, 0), 0u);
    EXPECT_EQ(untouched[0], u'#') << "a field of no characters is not written";
}

std::string RoundTrip(const std::string& AText)
{
    WCHAR field[64];
    Utf8ToWide(AText, field, 64);
    return WideToUtf8(field, 64);
}

TEST(WideText, NamesKeepTheirExactBytes)
{
    // Valid UTF-8, then bytes that are not: a lone byte, a cut sequence, an overlong form and an
    // encoded surrogate. Linux interface names may hold any of them.
    for (const std::string text : {"eth0", "n\xC3\xA4t\xE2\x82\xAC\xF0\x9F\x8C\x90", "q\xFF", "q\xFE", "a\xC3", "\xC3z",
                                   "\xC0\xAF", "\xED\xA0\x80", "\x80\x80\xFF"})
        EXPECT_EQ(RoundTrip(text), text);
    EXPECT_NE(RoundTrip("q\xFF"), RoundTrip("q\xFE"));

    // UTF-16 that is invalid in other ways still reads as U+FFFD.
    const WCHAR lone[] = {u'x', 0xD800, u'y', 0xDC10, 0};
    EXPECT_EQ(WideToUtf8(lone, 8), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

} // namespace
} // namespace qn
