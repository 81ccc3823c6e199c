// UTF-8 paths and texts of the seam as the UTF-16 strings the wide Windows functions take, and back.
#pragma once

#include <string>
#include <string_view>

namespace qn::win {

// Invalid UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view AText);
// Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view AText);

} // namespace qn::win
