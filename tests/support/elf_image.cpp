// A minimal ELF file with one extra section.
#include "support/elf_image.h"

namespace qn::test {

std::vector<std::uint8_t> MakeElf(bool A64, bool ABig, const std::string& ASection,
                                  const std::vector<std::uint8_t>& AData)
{
    std::vector<std::uint8_t> f(A64 ? 64 : 52, 0);
    const auto put = [&](std::size_t AOffset, std::uint64_t AValue, std::size_t ASize) {
        if (f.size() < AOffset + ASize)
            f.resize(AOffset + ASize);
        for (std::size_t i = 0; i < ASize; ++i)
            f[AOffset + (ABig ? ASize - 1 - i : i)] = static_cast<std::uint8_t>(AValue >> (8 * i));
    };
    f[0] = 0x7F, f[1] = 'E', f[2] = 'L', f[3] = 'F', f[4] = A64 ? 2 : 1, f[5] = ABig ? 2 : 1, f[6] = 1;
    const std::string names = std::string("\0.shstrtab\0", 11) + ASection + '\0';
    const std::size_t namesAt = f.size();
    f.insert(f.end(), names.begin(), names.end());
    const std::size_t dataAt = f.size();
    f.insert(f.end(), AData.begin(), AData.end());
    while (f.size() % 8)
        f.push_back(0);
    const std::size_t shoff = f.size(), entry = A64 ? 64 : 40, addr = A64 ? 8 : 4;
    put(A64 ? 0x28 : 0x20, shoff, addr);
    put(A64 ? 0x3A : 0x2E, entry, 2);
    put(A64 ? 0x3C : 0x30, 3, 2);
    put(A64 ? 0x3E : 0x32, 1, 2);
    f.resize(shoff + 3 * entry);
    const std::size_t offOffset = A64 ? 24 : 16, offSize = A64 ? 32 : 20;
    put(shoff + entry + 0, 1, 4); // ".shstrtab"
    put(shoff + entry + 4, 3, 4);
    put(shoff + entry + offOffset, namesAt, addr);
    put(shoff + entry + offSize, names.size(), addr);
    put(shoff + 2 * entry + 0, 11, 4);
    put(shoff + 2 * entry + 4, 1, 4);
    put(shoff + 2 * entry + offOffset, dataAt, addr);
    put(shoff + 2 * entry + offSize, AData.size(), addr);
    return f;
}

} // namespace qn::test
