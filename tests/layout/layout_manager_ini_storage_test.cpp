// INI storage: the text form of every value kind, the open/close life cycle and the write failure.
#include "layout/layout_manager_ini_storage.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class IniStorage : public testing::Test
{
protected:
    IniStorage()
    {
        File = Folder.File("sub/q.ini");
        Storage.SetFileName(File);
    }

    std::string Text() const
    {
        std::ifstream in(File, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void SetText(const std::string& AText)
    {
        fs::create_directories(fs::path(File).parent_path());
        std::ofstream(File, std::ios::binary) << AText;
    }

    qn::test::TTempFolder Folder;
    std::string File;
    qn::TLayoutManagerINIStorage Storage;
};

TEST_F(IniStorage, IntegersReadDecimalAndBothHexadecimalForms)
{
    Storage.WriteInteger("S", "a", 255);
    Storage.WriteInteger("S", "b", -42);
    EXPECT_EQ(Text(), "[S]\na=255\nb=-42\n");
    EXPECT_EQ(Storage.ReadInteger("s", "A", 0), 255);
    EXPECT_EQ(Storage.ReadInteger("S", "b", 0), -42);

    const struct
    {
        const char* Text;
        std::int64_t Expected;
    } cases[] = {
        {"0xFF", 255},
        {"0XFF", 255},
        {"$FF", 255},
        {"$ff", 255},
        {"-$10", -16},
        {"+7", 7},
        {"$FFFFFFFFFFFFFFFF", -1},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        // Not whole numbers: the default (-1) stands in.
        {"12abc", -1},
        {"0x", -1},
        {"$", -1},
        {"", -1},
        {"1.5", -1},
        {"9223372036854775808", -1},
        {"$1FFFFFFFFFFFFFFFF", -1},
        {"0xG1", -1},
        {"- 5", -1},
    };
    for (const auto& c : cases) {
        SetText(std::string("[S]\nv=") + c.Text + "\n");
        EXPECT_EQ(Storage.ReadInteger("S", "v", -1), c.Expected) << c.Text;
    }
    EXPECT_EQ(Storage.ReadInteger("S", "absent", 77), 77);
}

TEST_F(IniStorage, BooleansAreOneAndZeroAndReadThroughTheIntegerRule)
{
    Storage.WriteBoolean("S", "on", true);
    Storage.WriteBoolean("S", "off", false);
    EXPECT_EQ(Text(), "[S]\non=1\noff=0\n");
    SetText("[S]\nt=true\ntwo=2\nzero=0\nhex=0x10\nbig=4294967296\n");
    EXPECT_TRUE(Storage.ReadBoolean("S", "t", true));
    EXPECT_FALSE(Storage.ReadBoolean("S", "t", false));
    EXPECT_TRUE(Storage.ReadBoolean("S", "two", false));
    EXPECT_FALSE(Storage.ReadBoolean("S", "zero", true));
    EXPECT_TRUE(Storage.ReadBoolean("S", "hex", false));
    EXPECT_FALSE(Storage.ReadBoolean("S", "big", false)) << "outside 32 bits is not an integer";
    EXPECT_TRUE(Storage.ReadBoolean("S", "absent", true));
}

// A numeric facet with a decimal comma, for the stream-based code a float might pass through.
struct CommaPunct : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
};

TEST_F(IniStorage, FloatsUseAPointWhateverTheLocale)
{
    const std::locale savedGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    Storage.WriteFloat("S", "half", 0.5);
    Storage.WriteFloat("S", "third", 1.0 / 3.0);
    Storage.WriteFloat("S", "big", 1e20);
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(savedGlobal);
    EXPECT_EQ(Text(), "[S]\nhalf=0.5\nthird=0.333333333333333\nbig=1e+20\n") << "C locale only: " << !comma;
    EXPECT_EQ(Storage.ReadFloat("S", "half", 0), 0.5);
    EXPECT_EQ(Storage.ReadFloat("S", "big", 0), 1e20);
    SetText("[S]\ncomma=1,5\nword=abc\nexp=2.5E-3\nnan=nan\n");
    EXPECT_EQ(Storage.ReadFloat("S", "comma", 9), 9);
    EXPECT_EQ(Storage.ReadFloat("S", "word", 9), 9);
    EXPECT_EQ(Storage.ReadFloat("S", "exp", 9), 0.0025);
    EXPECT_EQ(Storage.ReadFloat("S", "nan", 9), 9);
}

TEST_F(IniStorage, DateTimesUseTheFixedPattern)
{
    // 2026-12-08 17:30:05, counted in days since 1899-12-30.
    const double when = 46364.0 + (17 * 3600 + 30 * 60 + 5) / 86400.0;
    Storage.WriteDatetime("S", "when", when);
    Storage.WriteDatetime("S", "epoch", 0.0);
    Storage.WriteDatetime("S", "before", -1.25);
    EXPECT_EQ(Text(), "[S]\nwhen=2026-12-08 17:30:05\nepoch=1899-12-30 00:00:00\nbefore=1899-12-29 06:00:00\n");
    EXPECT_NEAR(Storage.ReadDatetime("S", "when", 0), when, 1e-9);
    EXPECT_EQ(Storage.ReadDatetime("S", "before", 0), -1.25);
    for (const char* bad : {"2026-02-30 00:00:00", "2026-12-08 24:00:00", "08.12.2026", "2026-12-08x", "0000-01-01"}) {
        SetText(std::string("[S]\nv=") + bad + "\n");
        EXPECT_EQ(Storage.ReadDatetime("S", "v", 7.5), 7.5) << bad;
    }
    SetText("[S]\nv=2024-02-29\n");
    EXPECT_EQ(Storage.ReadDatetime("S", "v", 0), 45351.0);
}

TEST_F(IniStorage, StringsAreCutAt2047CharactersAndAnEmptyValueIsAValue)
{
    Storage.WriteString("S", "long", std::string(5000, 'x'));
    EXPECT_EQ(Storage.ReadString("S", "long", ""), std::string(2047, 'x'));
    SetText("[S]\nempty=\n");
    EXPECT_TRUE(Storage.ValueExists("S", "EMPTY"));
    EXPECT_EQ(Storage.ReadString("S", "empty", "default"), "");
    EXPECT_EQ(Storage.ReadString("S", "absent", "default"), "default");
}

TEST_F(IniStorage, ABareHeaderIsNoSectionAndSectionsListInFileOrder)
{
    SetText("[Bare]\n[Full]\nz=1\na=two\n");
    EXPECT_FALSE(Storage.SectionExists("Bare"));
    EXPECT_TRUE(Storage.SectionExists("full"));
    Storage.DeleteSection("Bare");
    EXPECT_EQ(Text(), "[Bare]\n[Full]\nz=1\na=two\n");
    std::vector<qn::TStorageEntry> lines{{"stale", "1"}};
    Storage.ReadSection("FULL", lines);
    EXPECT_EQ(lines, (std::vector<qn::TStorageEntry>{{"z", "1"}, {"a", "two"}}));
    Storage.DeleteValue("Full", "z");
    Storage.DeleteValue("Full", "never there");
    Storage.DeleteSection("Full");
    EXPECT_EQ(Text(), "[Bare]\n");
}

TEST_F(IniStorage, OpeningForWritingCreatesTheFolderAndReadOnlyDoesNot)
{
    Storage.Open(true);
    EXPECT_TRUE(Storage.GetOpened());
    EXPECT_FALSE(fs::exists(fs::path(File).parent_path()));
    // The first Open decided: the folder was not made, so the write fails with the full path.
    try {
        Storage.WriteInteger("S", "K", 1);
        FAIL() << "the write must fail";
    } catch (const std::runtime_error& e) {
        // The full path in the system's own form (backslashes on Windows).
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + fs::path(File).make_preferred().string());
    }
    Storage.Close();
    EXPECT_FALSE(Storage.GetOpened());
    Storage.Open(false);
    Storage.WriteInteger("S", "K", 1);
    EXPECT_EQ(Text(), "[S]\nK=1\n");
}

TEST_F(IniStorage, SettingTheSameFileNameKeepsTheStorageAsItIs)
{
    Storage.Open(false);
    Storage.SetFileName(File);
    EXPECT_TRUE(Storage.GetOpened());
    Storage.SetOpened(false);
    Storage.SetFileName(File);
    EXPECT_FALSE(Storage.GetOpened()) << "the same name must not reopen";
    Storage.SetOpened(true);
    Storage.SetFileName(Folder.File("other.ini"));
    EXPECT_TRUE(Storage.GetOpened()) << "a new name reopens an open storage";
    EXPECT_EQ(Storage.ReadInteger("S", "K", 3), 3);
}

TEST_F(IniStorage, DeletionsInsideAnUpdateJoinItsOneReplacement)
{
    SetText("[Settings]\nold0=0\nold1=0\nkeep=1\n");
    Storage.BeginUpdate();
    Storage.WriteString("Settings", "new", "1");
    Storage.DeleteValues("Settings", {"old0", "old1"});
    EXPECT_EQ(Text(), "[Settings]\nold0=0\nold1=0\nkeep=1\n") << "nothing is written before the end";
    Storage.EndUpdate();
    EXPECT_EQ(Text(), "[Settings]\nkeep=1\nnew=1\n") << "the update's commit must not bring deleted keys back";
}

TEST_F(IniStorage, AFailedWriteLeavesTheOldFileAndReportsItsPath)
{
    SetText("[S]\nK=old\n");
    // Root ignores permissions: make the folder impossible by giving its path to a regular file.
    qn::TLayoutManagerINIStorage blocked(File + "/inner/q.ini");
    try {
        blocked.WriteString("S", "K", "new");
        FAIL() << "the write must fail";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to write to " + fs::path(File + "/inner/q.ini").make_preferred().string());
    }
    EXPECT_EQ(Text(), "[S]\nK=old\n");
    EXPECT_EQ(blocked.ReadString("S", "K", "dflt"), "dflt");
}

} // namespace
