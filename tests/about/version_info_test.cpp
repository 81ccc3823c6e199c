// Version record: generated blocks through every rule, damaged blocks and ELF files, and the real
// resource this test executable carries.
#include "about/version_block.h"
#include "about/version_info.h"
#include "platform/app_data.h"
#include "platform/version_resource.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>

namespace {

qn::TVersionBlockContent Content(std::uint16_t AMajor, std::uint16_t AMinor, std::uint16_t ARelease,
                                 std::uint16_t ABuild, bool APreRelease)
{
    qn::TVersionBlockContent content;
    const std::uint16_t version[4] = {AMajor, AMinor, ARelease, ABuild};
    std::copy(version, version + 4, content.FileVersion);
    std::copy(version, version + 4, content.ProductVersion);
    content.FileFlags = APreRelease ? VS_FF_PRERELEASE : 0;
    return content;
}

qn::TVersionInfo Read(const qn::TVersionBlockContent& AContent, bool* AResult = nullptr)
{
    const auto block = qn::BuildVersionBlock(AContent);
    qn::TVersionInfo info;
    const bool ok = qn::ReadVersionInfoFromBlock(block, info);
    if (AResult)
        *AResult = ok;
    return info;
}

TEST(VersionRecord, VersionTextFollowsTheFixedPartAndThePreReleaseFlag)
{
    const struct
    {
        std::uint16_t Build;
        bool PreRelease;
        const char* Expected;
    } cases[] = {
        {7, false, "2.1.0.7"},
        {7, true, "2.1.0.7 BETA 7"},
        {0, true, "2.1.0.0 BETA"},
        {0, false, "2.1.0.0"},
    };
    for (const auto& c : cases) {
        const auto info = Read(Content(2, 1, 0, c.Build, c.PreRelease));
        EXPECT_EQ(info.Version, c.Expected);
        EXPECT_EQ(info.PreRelease, c.PreRelease);
        EXPECT_EQ(info.Major, 2u);
        EXPECT_EQ(info.Minor, 1u);
        EXPECT_EQ(info.Release, 0u);
        EXPECT_EQ(info.Build, c.Build);
    }
    auto content = Content(65535, 1, 65534, 3, false);
    EXPECT_EQ(Read(content).Version, "65535.1.65534.3") << "each part is an unsigned 16-bit number";
}

TEST(VersionRecord, ProductVersionIsBuiltFromTheFixedPartWhateverTheStringSays)
{
    auto content = Content(2, 1, 0, 7, false);
    const std::uint16_t product[4] = {2, 0, 0, 0};
    std::copy(product, product + 4, content.ProductVersion);
    content.Strings = {{"ProductVersion", "9.9 final"}, {"FileVersion", "2.1.0.7 (text)"}};
    const auto info = Read(content);
    EXPECT_EQ(info.ProductVersion, "2.0.0");
    EXPECT_EQ(info.ProductMajor, 2u);
    EXPECT_EQ(info.ProductBuild, 0u);
    EXPECT_EQ(info.FileVersion, "2.1.0.7 (text)");
}

TEST(VersionRecord, StringEntriesComeFromTheTranslationsTable)
{
    auto content = Content(1, 0, 0, 0, false);
    content.Strings = {{"FileDescription", "Traffic meter"},
                       {"LegalCopyright", "\xC2\xA9 Veldo"},
                       {"LegalTrademarks", "TM"},
                       {"Comments", "Comment \xF0\x9F\x93\xB6"},
                       {"SpecialBuild", "special"},
                       {"ProductName", "Quarno"},
                       {"CompanyName", "Veldo"},
                       {"InternalName", "quarno"},
                       {"OriginalFileName", "quarno.bin"}};
    auto info = Read(content);
    EXPECT_EQ(info.Description, "Traffic meter");
    EXPECT_EQ(info.Copyright, "\xC2\xA9 Veldo");
    EXPECT_EQ(info.Trademarks, "TM");
    EXPECT_EQ(info.Comments, "Comment \xF0\x9F\x93\xB6") << "characters beyond 16 bits survive";
    EXPECT_EQ(info.SpecialBuild, "special");
    EXPECT_EQ(info.ProductName, "Quarno");
    EXPECT_EQ(info.CompanyName, "Veldo");
    EXPECT_EQ(info.InternalName, "quarno");
    EXPECT_EQ(info.OriginalFilename, "quarno.bin");

    // The first translation names the table: German, Unicode.
    content.Translation = 0x04B00407;
    content.StringTable = "040704B0";
    EXPECT_EQ(Read(content).CompanyName, "Veldo");
    content.StringTable = "040904E4";
    EXPECT_EQ(Read(content).CompanyName, "") << "a table the translation does not name is not read";

    // Without a translation list the table "040904E4" is read.
    content.Translation.reset();
    EXPECT_EQ(Read(content).CompanyName, "Veldo");
    content.StringTable = "040704B0";
    bool ok = false;
    info = Read(content, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(info.CompanyName, "");
    EXPECT_EQ(info.Version, "1.0.0.0");
}

TEST(VersionRecord, DamagedBlocksNeverReadOutsideThemselves)
{
    auto content = Content(3, 2, 1, 0, true);
    content.Strings = {{"CompanyName", "Veldo"}, {"ProductName", "Quarno"}};
    const auto block = qn::BuildVersionBlock(content);
    for (std::size_t size = 0; size < block.size(); ++size) {
        // A copy of exactly that size, so that the sanitizers see any read past it.
        const std::vector<std::uint8_t> cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(size));
        qn::TVersionInfo info;
        EXPECT_FALSE(qn::ReadVersionInfoFromBlock(cut, info)) << size;
    }
    auto bad = block;
    bad[40] ^= 0xFF; // the signature of the fixed part
    qn::TVersionInfo info;
    EXPECT_FALSE(qn::ReadVersionInfoFromBlock(bad, info));
}

// A minimal ELF file with one extra section, in either class and byte order.
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

qn::TByteReader Reader(const std::vector<std::uint8_t>& AFile)
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
            EXPECT_EQ(qn::FindElfSection(Reader(elf), ".vs_version_info", 100), data) << wide << big;
            EXPECT_FALSE(qn::FindElfSection(Reader(elf), ".other", 100));
            EXPECT_FALSE(qn::FindElfSection(Reader(elf), ".vs_version_info", 4)) << "larger than allowed";
            // Every truncation of the file is refused or answered from within it.
            for (std::size_t size = 0; size < elf.size(); size += 3) {
                const std::vector<std::uint8_t> cut(elf.begin(), elf.begin() + static_cast<std::ptrdiff_t>(size));
                const auto found = qn::FindElfSection(Reader(cut), ".vs_version_info", 100);
                EXPECT_TRUE(!found || *found == data);
            }
        }
    }
}

class VersionFile : public testing::Test
{
protected:
    std::string Write(const std::string& AName, const std::vector<std::uint8_t>& ABytes)
    {
        const std::string path = Dir + "/" + AName;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(ABytes.data()), static_cast<std::streamsize>(ABytes.size()));
        return path;
    }
    qn::test::TTempFolder Folder;
    const std::string Dir = Folder.Path();
};

TEST_F(VersionFile, AFileWithoutAResourceGivesFalseAndOnlyItsName)
{
    const std::vector<std::string> files{
        Write("text", {'h', 'i'}),
        Write("plain.elf", MakeElf(true, false, ".comment", {1, 2})),
        Write("fixless.elf", MakeElf(true, false, ".vs_version_info", {6, 0, 0, 0, 'X', 0})),
        Dir + "/missing",
        Dir,
    };
    for (const auto& file : files) {
        qn::TVersionInfo info;
        info.CompanyName = "stale";
        info.Major = 9;
        EXPECT_FALSE(qn::ReadVersionInfo(file, info)) << file;
        EXPECT_EQ(info.FileName, file);
        EXPECT_EQ(info.CompanyName, "");
        EXPECT_EQ(info.Major, 0u);
        EXPECT_EQ(info.Version, "");
    }
    auto content = Content(4, 3, 2, 1, false);
    content.Strings = {{"CompanyName", "Veldo"}};
    qn::TVersionInfo info;
    const auto elf = Write("good.elf", MakeElf(false, true, ".vs_version_info", qn::BuildVersionBlock(content)));
    EXPECT_TRUE(qn::ReadVersionInfo(elf, info));
    EXPECT_EQ(info.Version, "4.3.2.1");
    EXPECT_EQ(info.CompanyName, "Veldo");
    EXPECT_EQ(info.FileName, elf);
}

TEST(BuiltExecutable, CarriesTheProjectVersionAndNames)
{
    const std::string exe = qn::GetExecutablePath();
    qn::TVersionInfo info;
    ASSERT_TRUE(qn::ReadVersionInfo(exe, info)) << exe;
    const std::string expected = std::string(QN_EXPECTED_VERSION) + ".0";
    EXPECT_EQ(info.Version, QN_EXPECTED_PRERELEASE ? expected + " BETA" : expected);
    EXPECT_EQ(info.FileVersion, expected);
    EXPECT_EQ(info.ProductVersion, QN_EXPECTED_VERSION);
    EXPECT_EQ(info.PreRelease, static_cast<bool>(QN_EXPECTED_PRERELEASE));
    EXPECT_EQ(info.CompanyName, "Veldo");
    EXPECT_EQ(info.ProductName, "Quarno");
    EXPECT_EQ(info.Description, "Quarno network traffic meter");
    EXPECT_TRUE(std::regex_match(info.Copyright, std::regex("Copyright \xC2\xA9 20[0-9][0-9] Veldo")))
        << info.Copyright;
    EXPECT_FALSE(info.Comments.empty());
    EXPECT_EQ(info.InternalName, "qn_test_about");
    EXPECT_EQ(info.OriginalFilename, "qn_test_about");

    const qn::TVersionInfo& app = qn::ApplicationVersionInfo();
    EXPECT_EQ(&app, &qn::ApplicationVersionInfo()) << "one record for the process";
    EXPECT_EQ(app.Version, info.Version);
    EXPECT_EQ(app.FileName, exe);
}

} // namespace
