// INI file functions: profile semantics, damaged files, atomic replacement and write failures.
#include "platform/ini_file.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using TempDir = qn::test::TTempFolder;

std::string Slurp(const std::string& AFile)
{
    std::ifstream in(AFile, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spit(const std::string& AFile, const std::string& AText)
{
    std::ofstream(AFile, std::ios::binary) << AText;
}

TEST(IniDocument, NamesMatchWithoutCaseAndAbsentKeysGiveNothing)
{
    const qn::TIniDocument doc("[Twnd_qn_Main]\nSize = 475,429\n[settings]\neth0=1\n");
    EXPECT_EQ(doc.Value("TWND_QN_MAIN", "size"), "475,429");
    EXPECT_EQ(doc.Value("Settings", "ETH0"), "1");
    EXPECT_FALSE(doc.Value("Settings", "wlan0"));
    EXPECT_FALSE(doc.Value("Nothing", "eth0"));
    EXPECT_EQ(qn::IniReadString("/nonexistent/dir/x.ini", "S", "K", "dflt"), "dflt");
}

TEST(IniDocument, SectionsListKeysInFileOrderAndDuplicateSectionsReadAsOne)
{
    const qn::TIniDocument doc("[A]\nz=1\n; comment\nnot a key\nb=2\n[B]\nq=0\n[a]\nz=9\nc=3\n");
    const std::vector<qn::TIniKeyValue> expected{{"z", "1"}, {"b", "2"}, {"c", "3"}};
    EXPECT_EQ(doc.Section("a"), expected);
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniDocument, EditsKeepUnrelatedLinesAndPlaceNewKeysInTheirSection)
{
    qn::TIniDocument doc("; kept\n[A]\nx=1\n\n[B]\ny=2\n");
    doc.SetValue("a", "NEW", "v");
    doc.SetValue("A", "X", "5");
    doc.SetValue("C", "k", "3");
    EXPECT_EQ(doc.Text(), "; kept\n[A]\nx=5\nNEW=v\n\n[B]\ny=2\n\n[C]\nk=3\n");
    EXPECT_TRUE(doc.DeleteKey("b", "Y"));
    EXPECT_FALSE(doc.DeleteKey("b", "y"));
    EXPECT_TRUE(doc.DeleteSection("A"));
    EXPECT_FALSE(doc.DeleteSection("A"));
    EXPECT_EQ(doc.Text(), "; kept\n[B]\n\n[C]\nk=3\n");
}

TEST(IniDocument, DeletingLeavesEveryOtherSectionWhole)
{
    // Keys of later sections are judged by their own header, also once earlier lines are gone.
    const std::string text = "[A]\nk=1\nk=2\n[B]\nk=3\n[A]\nk=4\n[C]\nk=5\n[]\nk=6\n";
    qn::TIniDocument doc(text);
    EXPECT_TRUE(doc.DeleteKey("a", "K"));
    EXPECT_EQ(doc.Text(), "[A]\n[B]\nk=3\n[A]\n[C]\nk=5\n[]\nk=6\n");
    qn::TIniDocument again(text);
    EXPECT_TRUE(again.DeleteSection("A"));
    EXPECT_EQ(again.Text(), "[B]\nk=3\n[C]\nk=5\n[]\nk=6\n");
    EXPECT_TRUE(again.DeleteSection("B"));
    EXPECT_EQ(again.Value("", "k"), "6");
    EXPECT_EQ(again.Value("C", "k"), "5");
}

TEST(IniDocument, ValuesRoundTripExactlyIncludingBlanksAndQuotes)
{
    for (const std::string v : {"", " lead", "trail ", "\"quoted\"", "'q'", "a=b=c", "x;y", "\xC3\xA4\xE2\x82\xAC"}) {
        qn::TIniDocument doc;
        doc.SetValue("S", "K", v);
        EXPECT_EQ(qn::TIniDocument(doc.Text()).Value("S", "K"), v) << doc.Text();
    }
    // A line break would split the entry; it becomes a blank.
    qn::TIniDocument doc;
    doc.SetValue("S", "K", "two\nlines");
    EXPECT_EQ(qn::TIniDocument(doc.Text()).Value("S", "K"), "two lines");
}

TEST(IniDocument, KeysThatWouldBreakTheFileAreQuoted)
{
    // Interface names may hold "=" or start with "[" or ";"; none may steal the keys after it.
    qn::TIniDocument doc;
    for (const std::string name : {"a=b", "[x", ";c", "\"q\"", "plain"})
        doc.SetValue("Settings", name, "1");
    doc.SetValue("Settings", "after", "0");
    doc.SetValue("Settings", "A=B", "0");
    EXPECT_EQ(doc.Text(), "[Settings]\n\"a=b\"=0\n\"[x\"=1\n\";c\"=1\n\"\"\"q\"\"\"=1\nplain=1\nafter=0\n");
    const qn::TIniDocument back(doc.Text());
    EXPECT_EQ(back.Section("Settings").size(), 6u);
    EXPECT_EQ(back.Value("settings", "A=b"), "0");
    EXPECT_EQ(back.Value("Settings", "[x"), "1");
    EXPECT_EQ(back.Value("Settings", "\"q\""), "1");
    EXPECT_EQ(back.Value("Settings", "after"), "0");
}

TEST(IniDocument, LongValuesAreCutAt2047CharactersNotInsideACharacter)
{
    qn::TIniDocument doc;
    doc.SetValue("S", "ascii", std::string(3000, 'x'));
    doc.SetValue("S", "utf8", std::string(2046, 'x') + "\xC3\xA4\xC3\xA4");
    const qn::TIniDocument back(doc.Text());
    EXPECT_EQ(back.Value("S", "ascii"), std::string(2047, 'x'));
    EXPECT_EQ(back.Value("S", "utf8"), std::string(2046, 'x') + "\xC3\xA4");
}

TEST(IniDocument, DamagedTextReadsAsWellAsItCan)
{
    const std::string nul("[S]\nk\0ey=v\0al\n", 15);
    EXPECT_EQ(qn::TIniDocument(nul).Section("S").size(), 1u);
    EXPECT_EQ(qn::TIniDocument("\xEF\xBB\xBF[S]\r\nk=v\r\n").Value("S", "k"), "v");
    EXPECT_EQ(qn::TIniDocument("[S\nk=v\n").Value("S", "k"), "v");
    EXPECT_EQ(qn::TIniDocument("k=before any section\n[S]\n").Value("", "k"), std::nullopt);
    EXPECT_EQ(qn::TIniDocument("[S]\n" + std::string(1 << 20, 'y') + "\nk=v").Value("S", "k"), "v");
    std::string garbage(4096, '\0');
    std::mt19937 rng(7);
    for (char& c : garbage)
        c = static_cast<char>(rng());
    qn::TIniDocument doc(garbage);
    doc.SetValue("S", "k", "v");
    EXPECT_EQ(qn::TIniDocument(doc.Text()).Value("S", "k"), "v");
}

TEST(IniFile, WritesCreateTheFileAndReadsParseItAnew)
{
    TempDir dir;
    const auto file = dir.File("q.ini");
    qn::IniWriteString(file, "Settings", "eth0", "1");
    qn::IniWriteString(file, "settings", "lo", "0");
    EXPECT_EQ(Slurp(file), "[Settings]\neth0=1\nlo=0\n");
    Spit(file, "[Settings]\neth0=0\n");
    EXPECT_EQ(qn::IniReadString(file, "SETTINGS", "ETH0", "x"), "0");
    EXPECT_TRUE(qn::IniDeleteKey(file, "Settings", "eth0"));
    EXPECT_FALSE(qn::IniDeleteKey(file, "Settings", "eth0"));
    qn::IniDeleteSection(file, "Settings");
    EXPECT_EQ(Slurp(file), "");
    EXPECT_EQ(dir.Entries(), 1u) << "no temporary file stays behind";
}

TEST(IniFile, ARefusedWriteReportsTheFullPathAndLeavesTheOldFile)
{
    TempDir dir;
    // Root ignores permissions, so the folder is made impossible: its name is a regular file.
    Spit(dir.File("plain"), "not a folder");
    const auto impossible = dir.File("plain") + "/q.ini";
    try {
        qn::IniWriteString(impossible, "S", "K", "V");
        FAIL() << "the write must fail";
    } catch (const qn::EIniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + impossible);
    }
    EXPECT_NO_THROW(qn::IniDeleteSection(impossible, "S")) << "nothing to delete";
    EXPECT_FALSE(qn::IniDeleteKey(impossible, "S", "K"));

    // A full disk: the file-size limit makes the temporary file's write fail half-way.
    const auto file = dir.File("q.ini");
    const std::string old = "[S]\nK=old\n";
    Spit(file, old);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(qn::IniWriteString(file, "S", "K", std::string(1000, 'n')), qn::EIniWriteError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Slurp(file), old);
    EXPECT_EQ(dir.Entries(), 2u) << "the failed temporary file is removed";

    // A file that exists but cannot be read is not replaced by a rewrite from nothing.
    fs::create_directory(dir.File("folder.ini"));
    EXPECT_THROW(qn::IniWriteString(dir.File("folder.ini"), "S", "K", "V"), qn::EIniWriteError);
    EXPECT_THROW(qn::IniDeleteSection(dir.File("folder.ini"), "S"), qn::EIniWriteError);
}

TEST(IniFile, ReplacingKeepsPermissionsAndFollowsSymbolicLinks)
{
    TempDir dir;
    const auto real = dir.File("real.ini");
    Spit(real, "[S]\nK=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir.File("link.ini"));
    qn::IniWriteString(dir.File("link.ini"), "S", "K", "2");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(Slurp(real), "[S]\nK=2\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniFile, APathThatIsNotARegularFileReadsEmptyAndIsNeverWrittenThrough)
{
    TempDir dir;
    const auto fifo = dir.File("fifo.ini");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    // Nobody writes into the FIFO: a blocking open would wait for ever.
    EXPECT_EQ(qn::IniReadString(fifo, "S", "K", "default"), "default");
    EXPECT_TRUE(qn::IniReadSection(fifo, "S").empty());
    EXPECT_THROW(qn::IniWriteString(fifo, "S", "K", "V"), qn::EIniWriteError);
    EXPECT_TRUE(fs::is_fifo(fifo)) << "not replaced by a plain file";

    fs::create_symlink(fifo, dir.File("to-fifo.ini"));
    EXPECT_EQ(qn::IniReadString(dir.File("to-fifo.ini"), "S", "K", "default"), "default");
    EXPECT_THROW(qn::IniWriteString(dir.File("to-fifo.ini"), "S", "K", "V"), qn::EIniWriteError);
    EXPECT_TRUE(fs::is_fifo(fifo));

    EXPECT_EQ(qn::IniReadString("/dev/zero", "S", "K", "default"), "default") << "a device is not read";
    EXPECT_EQ(dir.Entries(), 2u) << "no temporary file stays behind";
}

TEST(IniFile, AFileNobodyMayWriteIsRefusedEvenForRoot)
{
    TempDir dir;
    const auto file = dir.File("frozen.ini");
    const std::string old = "[S]\nK=frozen\n";
    Spit(file, old);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        qn::IniWriteString(file, "S", "K", "new");
        FAIL() << "a read-only file must not be replaced";
    } catch (const qn::EIniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
    }
    EXPECT_THROW(qn::IniDeleteSection(file, "S"), qn::EIniWriteError);
    EXPECT_EQ(Slurp(file), old);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(qn::IniReadString(file, "S", "K", ""), "frozen") << "it is still read";
}

TEST(IniFile, NewFilesGetTheUmaskDefaultAndDanglingLinksAreWrittenThrough)
{
    TempDir dir;
    const mode_t saved = umask(027);
    qn::IniWriteString(dir.File("new.ini"), "S", "K", "1");
    umask(saved);
    EXPECT_EQ(fs::status(dir.File("new.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link whose target does not exist yet, relative to the link's folder.
    fs::create_directory(dir.File("real"));
    fs::create_symlink("real/target.ini", dir.File("dangling.ini"));
    qn::IniWriteString(dir.File("dangling.ini"), "S", "K", "2");
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ini")));
    EXPECT_EQ(Slurp(dir.File("real/target.ini")), "[S]\nK=2\n");

    // A loop of links has no target: refused, nothing created.
    fs::create_symlink(dir.File("loop-b.ini"), dir.File("loop-a.ini"));
    fs::create_symlink(dir.File("loop-a.ini"), dir.File("loop-b.ini"));
    EXPECT_THROW(qn::IniWriteString(dir.File("loop-a.ini"), "S", "K", "3"), qn::EIniWriteError);
    EXPECT_TRUE(fs::is_symlink(dir.File("loop-a.ini")));
}

// The value a writer round writes: a run of one letter whose length depends on the letter, so a
// torn or mixed file cannot pass for a complete one.
std::string RoundValue(int ARound)
{
    const char c = static_cast<char>('a' + ARound % 26);
    return std::string(1000 + static_cast<std::size_t>(ARound % 26) * 37, c);
}

TEST(IniFile, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    TempDir dir;
    const auto file = dir.File("q.ini");
    for (int i = 0; i < 20; ++i)
        qn::IniWriteString(file, "Fixed", "key" + std::to_string(i), std::string(100, 'k'));
    qn::IniWriteString(file, "Moving", "Value", RoundValue(0));

    std::mt19937 rng(42);
    int round = 1;
    for (int kill = 0; kill < 60; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int r = round;; ++r)
                    qn::IniWriteString(file, "Moving", "Value", RoundValue(r));
            } catch (...) {
            }
            _exit(1);
        }
        usleep(std::uniform_int_distribution<useconds_t>(500, 15000)(rng));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const qn::TIniDocument doc(Slurp(file));
        ASSERT_EQ(doc.Section("Fixed").size(), 20u) << "after kill " << kill;
        const auto value = doc.Value("Moving", "Value");
        ASSERT_TRUE(value) << "after kill " << kill;
        ASSERT_FALSE(value->empty());
        const int letter = value->front() - 'a';
        ASSERT_EQ(*value, RoundValue(letter)) << "after kill " << kill;
        round += 1000;
    }

    // What the killed writers left behind is cleared by a later write once it is clearly stale.
    const auto young = dir.File(".q.ini.young1");
    Spit(young, "a write in progress");
    Spit(dir.File(".q.ini.stale1"), "left by a killed writer");
    for (const auto& e : fs::directory_iterator(dir.Path()))
        if (e.path() != young)
            fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::minutes(5));
    qn::IniWriteString(file, "Moving", "Cleanup", "done");
    EXPECT_EQ(dir.Entries(), 2u) << "only the file and the young temporary file remain";
    EXPECT_TRUE(fs::exists(young));
}

} // namespace
