// Building the standard VS_VERSIONINFO block: nodes of length, value length, type, UTF-16 key,
// value and children, each aligned to four bytes.
#include "about/version_block.h"

#include "platform/version_resource.h"

#include <stdexcept>

namespace qn {

namespace {

class TBlockWriter
{
public:
    std::vector<std::uint8_t> Bytes;

    void Word(std::uint16_t AValue)
    {
        Bytes.push_back(static_cast<std::uint8_t>(AValue & 0xFF));
        Bytes.push_back(static_cast<std::uint8_t>(AValue >> 8));
    }
    void Dword(std::uint32_t AValue)
    {
        Word(static_cast<std::uint16_t>(AValue & 0xFFFF));
        Word(static_cast<std::uint16_t>(AValue >> 16));
    }
    void Align()
    {
        while (Bytes.size() % 4 != 0)
            Bytes.push_back(0);
    }
    void Text(const std::u16string& AText)
    {
        for (const char16_t c : AText)
            Word(c);
        Word(0);
    }

    // Starts a node; its length is filled in by End.
    std::size_t Begin(const std::u16string& AKey, std::uint16_t AValueLength, std::uint16_t AType)
    {
        Align();
        const std::size_t start = Bytes.size();
        Word(0);
        Word(AValueLength);
        Word(AType);
        Text(AKey);
        Align();
        return start;
    }
    void End(std::size_t AStart)
    {
        const std::size_t length = Bytes.size() - AStart;
        if (length > MaxVersionResourceSize)
            throw std::length_error("a version resource holds at most 64 KiB");
        Bytes[AStart] = static_cast<std::uint8_t>(length & 0xFF);
        Bytes[AStart + 1] = static_cast<std::uint8_t>(length >> 8);
    }
};

std::u16string Utf16(const std::string& AText)
{
    std::u16string out;
    for (std::size_t i = 0; i < AText.size();) {
        const auto b = static_cast<unsigned char>(AText[i]);
        char32_t c = 0xFFFD;
        std::size_t n = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0 && i + 1 < AText.size()) {
            c = ((b & 0x1Fu) << 6) | (AText[i + 1] & 0x3F);
            n = 2;
        } else if ((b & 0xF0) == 0xE0 && i + 2 < AText.size()) {
            c = ((b & 0x0Fu) << 12) | ((AText[i + 1] & 0x3Fu) << 6) | (AText[i + 2] & 0x3F);
            n = 3;
        } else if ((b & 0xF8) == 0xF0 && i + 3 < AText.size()) {
            c = ((b & 0x07u) << 18) | ((AText[i + 1] & 0x3Fu) << 12) | ((AText[i + 2] & 0x3Fu) << 6) |
                (AText[i + 3] & 0x3F);
            n = 4;
        }
        i += n;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::uint32_t High(const std::uint16_t* AParts)
{
    return static_cast<std::uint32_t>(AParts[0]) << 16 | AParts[1];
}

std::uint32_t Low(const std::uint16_t* AParts)
{
    return static_cast<std::uint32_t>(AParts[2]) << 16 | AParts[3];
}

} // namespace

std::vector<std::uint8_t> BuildVersionBlock(const TVersionBlockContent& AContent)
{
    TBlockWriter w;
    const std::size_t root = w.Begin(u"VS_VERSION_INFO", sizeof(VS_FIXEDFILEINFO), 0);
    w.Dword(VS_FFI_SIGNATURE);
    w.Dword(VS_FFI_STRUCVERSION);
    w.Dword(High(AContent.FileVersion));
    w.Dword(Low(AContent.FileVersion));
    w.Dword(High(AContent.ProductVersion));
    w.Dword(Low(AContent.ProductVersion));
    w.Dword(VS_FFI_FILEFLAGSMASK);
    w.Dword(AContent.FileFlags);
    w.Dword(0); // dwFileOS: none of the Windows ones
    w.Dword(VFT_APP);
    w.Dword(0);
    w.Dword(0);
    w.Dword(0);

    const std::size_t info = w.Begin(u"StringFileInfo", 0, 1);
    const std::size_t table = w.Begin(Utf16(AContent.StringTable), 0, 1);
    for (const auto& [name, text] : AContent.Strings) {
        const std::u16string value = Utf16(text);
        const std::size_t entry = w.Begin(Utf16(name), static_cast<std::uint16_t>(value.size() + 1), 1);
        w.Text(value);
        w.End(entry);
    }
    w.End(table);
    w.End(info);

    if (AContent.Translation) {
        const std::size_t vars = w.Begin(u"VarFileInfo", 0, 1);
        const std::size_t translation = w.Begin(u"Translation", 4, 0);
        w.Word(static_cast<std::uint16_t>(*AContent.Translation & 0xFFFF));
        w.Word(static_cast<std::uint16_t>(*AContent.Translation >> 16));
        w.End(translation);
        w.End(vars);
    }
    w.End(root);
    return w.Bytes;
}

} // namespace qn
