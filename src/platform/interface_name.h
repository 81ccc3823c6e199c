// Whether two interface names, as the system gives them, name the same interface.
#pragma once

#include <string>
#include <string_view>

namespace qn {

// On Linux names are byte strings compared exactly: "eth0" and "ETH0" are two links, and bytes that
// are not UTF-8 count like any other. On Windows they match when they differ only in the case of A to Z.
bool SameInterfaceName(std::string_view A, std::string_view B);

// A text equal for exactly the names SameInterfaceName takes for the same: the key of name maps.
std::string InterfaceNameKey(std::string_view AName);

} // namespace qn
