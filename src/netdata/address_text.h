// Text forms of the service's addresses and fields, shared with the callers that show its values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qn {

std::string HexAddress(const std::uint8_t* ABytes, std::size_t ACount); // "0A:1B:..."
std::string DottedAddress(std::uint32_t AAddress);                      // network byte order in
std::uint32_t InetAddr(std::string_view AText); // dotted text to network byte order; 0xFFFFFFFF when invalid

} // namespace qn
