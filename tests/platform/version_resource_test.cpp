// The version resource's section in an ELF file: found in every class and byte order, and never
// read from outside the file however it is cut.
#include "platform/version_resource.h"

#include "support/elf_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace qn::test {
namespace {

TByteReader Reader(const std::vector<std::uint8_t>& AFile)
{
    return [&AFile](std::uint64_t AOffset, std::size_t ASize, std::uint8_t* ABuffer) {
        if (AOffset > AFile.size() || ASize > AFile.size() - AOffset)
            return false;
        std::memcpy(ABuffer, AFile.data() + AOffset, ASize);
        return true;
    };
}

TEST(VersionResource, TheSectionIsFoundInEveryElfClassAndByteOrder)
{
    const std::vector<std::uint8_t> data{1, 2, 3, 4, 5};
    for (const bool wide : {false, true}) {
        for (const bool big : {false, true}) {
            const auto elf = MakeElf(wide, big, ".vs_version_info", data);
            EXPECT_EQ(FindElfSection(Reader(elf), ".vs_version_info", 100), data) << wide << big;
            EXPECT_FALSE(FindElfSection(Reader(elf), ".other", 100));
            EXPECT_FALSE(FindElfSection(Reader(elf), ".vs_version_info", 4)) << "larger than allowed";
            // Every truncation of the file is refused or answered from within it.
            for (std::size_t size = 0; size < elf.size(); size += 3) {
                const std::vector<std::uint8_t> cut(elf.begin(), elf.begin() + static_cast<std::ptrdiff_t>(size));
                const auto found = FindElfSection(Reader(cut), ".vs_version_info", 100);
                EXPECT_TRUE(!found || *found == data);
            }
        }
    }
}

} // namespace
} // namespace qn::test
