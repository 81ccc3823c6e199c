// Conversion between the service's UTF-16 text fields and the UTF-8 strings used everywhere else.
#pragma once

#include "platform/ip_helper_types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qn {

// Bytes that are not valid UTF-8 survive the round trip: Utf8ToWide writes each as a lone surrogate
// U+DC80..U+DCFF and WideToUtf8 turns those back into the bytes.

// The text of a wide field up to its NUL, reading at most AMaxChars characters. Any other invalid
// UTF-16 (a lone surrogate) becomes U+FFFD.
std::string WideToUtf8(const WCHAR* AText, std::size_t AMaxChars);

// Writes AText into a wide field of ACapacity characters, cut to fit on a character boundary and always
// NUL-terminated (nothing is written when ACapacity is 0). A byte that is not valid UTF-8 is escaped.
// Returns the number of characters written before the NUL.
std::size_t Utf8ToWide(std::string_view AText, WCHAR* AField, std::size_t ACapacity);

} // namespace qn
