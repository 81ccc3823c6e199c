// Version record: generated blocks through every rule, damaged blocks and ELF files, and the real
// resource this test executable carries.
#include "about/version_block.h"
#include "about/version_info.h"
#include "platform/app_data.h"
#include "platform/version_resource.h"

#include "support/elf_image.h"
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

using qn::test::MakeElf;

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
#ifdef _WIN32
    GTEST_SKIP() << "Windows reads the version resources of PE files only; the built executable's own is "
                    "read below";
#endif
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
