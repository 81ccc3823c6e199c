// The one case-insensitive text comparison, lower-casing and trimming: settings sections, keys and
// values, property names, version-resource keys, interface names and fields, format designators.
#pragma once

#include <string>
#include <string_view>

namespace qn {

// Only the letters A to Z match their lower case; every other code unit, non-ASCII included,
// matches itself alone, so the result never depends on the locale or on how text is encoded.
// Narrow text is compared byte by byte; against UTF-16 text a byte is the code unit of its value.
bool SameText(std::string_view A, std::string_view B);
bool SameText(std::u16string_view A, std::u16string_view B);
bool SameText(std::u16string_view A, std::string_view B);

// Orders as the lower-case forms do: negative, zero or positive like std::string_view::compare.
int CompareText(std::string_view A, std::string_view B);
int CompareText(std::u16string_view A, std::u16string_view B);

// AText with the letters A to Z in lower case and every other byte as it is (by the same rule as
// SameText: the locale and the encoding play no part).
std::string LowerCaseText(std::string_view AText);

// Blanks are the codes of 32 or less: spaces, tabs, line ends, NULs and the other control codes.
constexpr bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
// AText without its leading and trailing blanks; a view into AText.
std::string_view TrimText(std::string_view AText);

} // namespace qn
