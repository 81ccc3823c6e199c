// Building the standard VS_VERSIONINFO block, for the build step that embeds it and for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qn {

struct TVersionBlockContent
{
    // Major, minor, release, build.
    std::uint16_t FileVersion[4] = {};
    std::uint16_t ProductVersion[4] = {};
    std::uint32_t FileFlags = 0;
    // Language in the low 16 bits, code page in the high 16 bits; nothing leaves out the
    // translation list (VarFileInfo).
    std::optional<std::uint32_t> Translation = 0x04E40409;
    // The key of the string table, eight hexadecimal digits.
    std::string StringTable = "040904E4";
    // String entries in order, as name and UTF-8 text.
    std::vector<std::pair<std::string, std::string>> Strings;
};

// The little-endian block: the root "VS_VERSION_INFO" with the fixed part, "StringFileInfo" with one
// string table, and "VarFileInfo" with "Translation" when one is given.
std::vector<std::uint8_t> BuildVersionBlock(const TVersionBlockContent& AContent);

} // namespace qn
