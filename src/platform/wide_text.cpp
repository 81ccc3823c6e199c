// UTF-8 <-> UTF-16 for the service's wide text fields.
#include "platform/wide_text.h"

namespace qn {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void AppendUtf8(std::string& AOut, char32_t ACode)
{
    if (ACode < 0x80) {
        AOut += static_cast<char>(ACode);
    } else if (ACode < 0x800) {
        AOut += static_cast<char>(0xC0 | (ACode >> 6));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else if (ACode < 0x10000) {
        AOut += static_cast<char>(0xE0 | (ACode >> 12));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else {
        AOut += static_cast<char>(0xF0 | (ACode >> 18));
        AOut += static_cast<char>(0x80 | ((ACode >> 12) & 0x3F));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    }
}

// A byte that is not part of valid UTF-8 travels as a lone low surrogate U+DC80..U+DCFF, which valid
// text never holds: Linux interface names are bytes, and two names that differ only in such bytes
// must stay two names through the service's wide fields.
constexpr char32_t EscapeBase = 0xDC00;

bool IsEscapedByte(char32_t ACode)
{
    return ACode >= EscapeBase + 0x80 && ACode <= EscapeBase + 0xFF;
}

// Decodes one UTF-8 sequence at AText[AIndex], advancing AIndex; a byte that does not start a valid
// sequence is escaped and consumed alone.
char32_t DecodeUtf8(std::string_view AText, std::size_t& AIndex)
{
    const auto lead = static_cast<unsigned char>(AText[AIndex]);
    const char32_t escaped = EscapeBase + lead;
    std::size_t extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++AIndex;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++AIndex;
        return escaped;
    }
    if (AText.size() - AIndex <= extra) {
        ++AIndex;
        return escaped;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(AText[AIndex + i]);
        if ((next & 0xC0) != 0x80) {
            ++AIndex;
            return escaped;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++AIndex;
        return escaped;
    }
    AIndex += extra + 1;
    return code;
}

} // namespace

std::string WideToUtf8(const WCHAR* AText, std::size_t AMaxChars)
{
    std::string out;
    for (std::size_t i = 0; i < AMaxChars && AText[i] != 0; ++i) {
        char32_t code = AText[i];
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 < AMaxChars && AText[i + 1] >= 0xDC00 && AText[i + 1] <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (AText[i + 1] - 0xDC00);
                ++i;
            } else {
                code = Replacement;
            }
        } else if (IsEscapedByte(code)) {
            out += static_cast<char>(code - EscapeBase);
            continue;
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            code = Replacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::size_t Utf8ToWide(std::string_view AText, WCHAR* AField, std::size_t ACapacity)
{
    if (ACapacity == 0)
        return 0;
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < AText.size() && AText[i] != 0) {
        const char32_t code = DecodeUtf8(AText, i);
        const std::size_t units = code >= 0x10000 ? 2 : 1;
        if (written + units > ACapacity - 1)
            break;
        if (units == 2) {
            AField[written++] = static_cast<WCHAR>(0xD800 + ((code - 0x10000) >> 10));
            AField[written++] = static_cast<WCHAR>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AField[written++] = static_cast<WCHAR>(code);
        }
    }
    AField[written] = 0;
    return written;
}

} // namespace qn
