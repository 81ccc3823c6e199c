// Case-insensitive comparison and lower-casing of the letters A to Z, and trimming.
#include "platform/ascii_text.h"

#include <algorithm>

namespace qn {

namespace {

char32_t Unit(char c)
{
    return static_cast<unsigned char>(c);
}

char32_t Unit(char16_t c)
{
    return c;
}

char32_t Lower(char32_t c)
{
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

template <class CharA, class CharB>
int Compare(std::basic_string_view<CharA> A, std::basic_string_view<CharB> B)
{
    const std::size_t n = std::min(A.size(), B.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t a = Lower(Unit(A[i]));
        const char32_t b = Lower(Unit(B[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : A.size() < B.size() ? -1 : 1;
}

template <class CharA, class CharB>
bool Same(std::basic_string_view<CharA> A, std::basic_string_view<CharB> B)
{
    return A.size() == B.size() && Compare(A, B) == 0;
}

} // namespace

bool SameText(std::string_view A, std::string_view B)
{
    return Same(A, B);
}

bool SameText(std::u16string_view A, std::u16string_view B)
{
    return Same(A, B);
}

bool SameText(std::u16string_view A, std::string_view B)
{
    return Same(A, B);
}

int CompareText(std::string_view A, std::string_view B)
{
    return Compare(A, B);
}

int CompareText(std::u16string_view A, std::u16string_view B)
{
    return Compare(A, B);
}

std::string_view TrimText(std::string_view AText)
{
    while (!AText.empty() && IsBlank(AText.front()))
        AText.remove_prefix(1);
    while (!AText.empty() && IsBlank(AText.back()))
        AText.remove_suffix(1);
    return AText;
}

std::string LowerCaseText(std::string_view AText)
{
    std::string lower(AText);
    for (char& c : lower)
        c = static_cast<char>(Lower(Unit(c)));
    return lower;
}

} // namespace qn
