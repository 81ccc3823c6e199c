// Version resources: ELF section lookup and VS_VERSIONINFO queries, bounds-checked for damaged files.
#include "platform/version_resource.h"

#include "platform/ascii_text.h"
#include "platform/wide_text.h"

namespace qn {

namespace {

// ---- ELF

struct TElfReader
{
    const TByteReader& Read;
    bool Big = false;

    bool Bytes(std::uint64_t AOffset, std::size_t ASize, std::uint8_t* ABuffer) const
    {
        return ASize == 0 || Read(AOffset, ASize, ABuffer);
    }
    std::optional<std::uint64_t> Number(std::uint64_t AOffset, std::size_t ASize) const
    {
        std::uint8_t b[8] = {};
        if (ASize > 8 || !Read(AOffset, ASize, b))
            return std::nullopt;
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < ASize; ++i)
            v |= static_cast<std::uint64_t>(Big ? b[ASize - 1 - i] : b[i]) << (8 * i);
        return v;
    }
};

constexpr std::uint32_t SHT_NOBITS = 8;
constexpr std::uint64_t SHN_XINDEX = 0xFFFF;
// More sections than any real executable has; a damaged count cannot make the search run long.
constexpr std::uint64_t MaxSections = 1 << 16;
constexpr std::size_t MaxSectionNames = 1 << 20;

// ---- VS_VERSIONINFO

std::uint16_t Word(std::span<const std::uint8_t> ABlock, std::size_t AOffset)
{
    return static_cast<std::uint16_t>(ABlock[AOffset] | (ABlock[AOffset + 1] << 8));
}

std::size_t Align4(std::size_t AValue)
{
    return (AValue + 3) & ~std::size_t{3};
}

// One node: its key, its value bytes and where its children lie, all inside its parent.
struct TNode
{
    std::size_t Start = 0;
    std::size_t End = 0;
    std::u16string Key;
    std::span<const std::uint8_t> Value;
    std::size_t ChildStart = 0;
};

std::optional<TNode> ParseNode(std::span<const std::uint8_t> ABlock, std::size_t AStart, std::size_t ALimit)
{
    if (AStart + 6 > ALimit)
        return std::nullopt;
    const std::size_t length = Word(ABlock, AStart);
    const std::size_t valueLength = Word(ABlock, AStart + 2);
    const std::uint16_t type = Word(ABlock, AStart + 4);
    if (length < 6 || AStart + length > ALimit)
        return std::nullopt;
    TNode node;
    node.Start = AStart;
    node.End = AStart + length;
    std::size_t p = AStart + 6;
    for (;;) {
        if (p + 2 > node.End)
            return std::nullopt;
        const char16_t c = Word(ABlock, p);
        p += 2;
        if (c == 0)
            break;
        node.Key += c;
    }
    const std::size_t valueStart = std::min(Align4(p), node.End);
    // A text value's length counts characters; some writers count bytes, so it is cut to the node.
    const std::size_t valueBytes = std::min(type == 1 ? valueLength * 2 : valueLength, node.End - valueStart);
    if (type != 1 && valueStart + valueLength > node.End)
        return std::nullopt;
    node.Value = ABlock.subspan(valueStart, valueBytes);
    node.ChildStart = std::min(Align4(valueStart + valueBytes), node.End);
    return node;
}

} // namespace

std::optional<std::vector<std::uint8_t>> FindElfSection(const TByteReader& AReader, std::string_view AName,
                                                        std::size_t AMaxSize)
{
    std::uint8_t ident[16] = {};
    if (!AReader(0, sizeof ident, ident) || ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F')
        return std::nullopt;
    const bool wide = ident[4] == 2;
    if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2))
        return std::nullopt;
    const TElfReader elf{AReader, ident[5] == 2};
    const std::size_t addr = wide ? 8 : 4;

    const auto shoff = elf.Number(wide ? 0x28 : 0x20, addr);
    const auto shentsize = elf.Number(wide ? 0x3A : 0x2E, 2);
    auto shnum = elf.Number(wide ? 0x3C : 0x30, 2);
    auto shstrndx = elf.Number(wide ? 0x3E : 0x32, 2);
    const std::uint64_t minEntry = wide ? 64 : 40;
    if (!shoff || !shentsize || !shnum || !shstrndx || *shoff == 0 || *shentsize < minEntry)
        return std::nullopt;

    // Field offsets in a section header.
    const std::uint64_t offName = 0, offType = 4, offLink = wide ? 40 : 24;
    const std::uint64_t offOffset = wide ? 24 : 16, offSize = wide ? 32 : 20;
    const auto header = [&](std::uint64_t AIndex, std::uint64_t AField, std::size_t ASize) {
        return elf.Number(*shoff + AIndex * *shentsize + AField, ASize);
    };
    // Extended numbering keeps the real count and string-table index in section 0.
    if (*shnum == 0)
        shnum = header(0, offSize, addr);
    if (shstrndx && *shstrndx == SHN_XINDEX)
        shstrndx = header(0, offLink, 4);
    if (!shnum || !shstrndx || *shnum > MaxSections || *shstrndx >= *shnum)
        return std::nullopt;

    const auto namesOffset = header(*shstrndx, offOffset, addr);
    const auto namesSize = header(*shstrndx, offSize, addr);
    if (!namesOffset || !namesSize || *namesSize > MaxSectionNames)
        return std::nullopt;
    std::vector<std::uint8_t> names(static_cast<std::size_t>(*namesSize));
    if (!elf.Bytes(*namesOffset, names.size(), names.data()))
        return std::nullopt;

    for (std::uint64_t i = 0; i < *shnum; ++i) {
        const auto name = header(i, offName, 4);
        const auto type = header(i, offType, 4);
        if (!name || !type || *name >= names.size() || *type == SHT_NOBITS)
            continue;
        const auto* begin = reinterpret_cast<const char*>(names.data()) + *name;
        const std::string_view rest(begin, names.size() - static_cast<std::size_t>(*name));
        if (rest.substr(0, rest.find('\0')) != AName)
            continue;
        const auto offset = header(i, offOffset, addr);
        const auto size = header(i, offSize, addr);
        if (!offset || !size || *size > AMaxSize)
            return std::nullopt;
        std::vector<std::uint8_t> data(static_cast<std::size_t>(*size));
        if (!elf.Bytes(*offset, data.size(), data.data()))
            return std::nullopt;
        return data;
    }
    return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> VerQueryValue(std::span<const std::uint8_t> ABlock, std::string_view APath)
{
    auto node = ParseNode(ABlock, 0, ABlock.size());
    if (!node)
        return std::nullopt;
    while (!APath.empty()) {
        const std::size_t start = APath.find_first_not_of('\\');
        if (start == std::string_view::npos)
            break;
        APath.remove_prefix(start);
        const std::size_t slash = APath.find('\\');
        const std::string_view part = APath.substr(0, slash);
        APath.remove_prefix(slash == std::string_view::npos ? APath.size() : slash);
        std::optional<TNode> found;
        // Every child is at least 6 bytes long, so the walk always ends.
        for (std::size_t p = node->ChildStart; p + 6 <= node->End;) {
            const auto child = ParseNode(ABlock, p, node->End);
            if (!child)
                break;
            if (SameText(child->Key, part)) {
                found = child;
                break;
            }
            p = Align4(child->End);
        }
        if (!found)
            return std::nullopt;
        node = found;
    }
    return node->Value;
}

std::optional<std::string> VerQueryString(std::span<const std::uint8_t> ABlock, std::string_view APath)
{
    const auto value = VerQueryValue(ABlock, APath);
    if (!value)
        return std::nullopt;
    std::basic_string<WCHAR> text;
    for (std::size_t i = 0; i + 1 < value->size(); i += 2)
        text += static_cast<WCHAR>(Word(*value, i));
    return WideToUtf8(text.data(), text.size());
}

} // namespace qn
