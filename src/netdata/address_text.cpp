// Text forms of the service's addresses and fields.
#include "netdata/address_text.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace qn {

std::string HexAddress(const std::uint8_t* ABytes, std::size_t ACount)
{
    std::string text;
    for (std::size_t i = 0; i < ACount; ++i) {
        char piece[4];
        std::snprintf(piece, sizeof(piece), "%2.2X", ABytes[i]);
        if (i > 0)
            text += ':';
        text += piece;
    }
    return text;
}

std::string DottedAddress(std::uint32_t AAddress)
{
    unsigned char b[4];
    std::memcpy(b, &AAddress, 4);
    char text[16];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
}

std::uint32_t InetAddr(std::string_view AText)
{
    unsigned char b[4] = {};
    std::size_t part = 0, i = 0;
    while (part < 4) {
        unsigned value = 0;
        const auto [next, error] = std::from_chars(AText.data() + i, AText.data() + AText.size(), value);
        if (error != std::errc() || value > 255)
            return 0xFFFFFFFF;
        b[part++] = static_cast<unsigned char>(value);
        i = static_cast<std::size_t>(next - AText.data());
        if (part < 4) {
            if (i >= AText.size() || AText[i] != '.')
                return 0xFFFFFFFF;
            ++i;
        }
    }
    if (i != AText.size())
        return 0xFFFFFFFF;
    std::uint32_t address;
    std::memcpy(&address, b, 4);
    return address;
}

} // namespace qn
