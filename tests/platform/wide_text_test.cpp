// The wide text fields: UTF-8 goes through unchanged, other bytes survive the round trip.
#include "platform/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qn {
namespace {

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
