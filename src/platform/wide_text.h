// Conversion between the service's UTF-16 text fields and the UTF-8 strings used everywhere else.
#pragma once

#include "platform/ip_helper_types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qn {

// The text of a wide field up to its NUL, reading at most AMaxChars characters. Invalid UTF-16 (a lone
// surrogate) becomes U+FFFD.
std::string WideToUtf8(const WCHAR* AText, std::size_t AMaxChars);

// Writes AText into a wide field of ACapacity characters, cut to fit on a character boundary and always
// NUL-terminated (nothing is written when ACapacity is 0). Invalid UTF-8 becomes U+FFFD.
// Returns the number of characters written before the NUL.
std::size_t Utf8ToWide(std::string_view AText, WCHAR* AField, std::size_t ACapacity);

} // namespace qn
