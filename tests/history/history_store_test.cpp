// The history file: schema versions, damaged files, retention and reports.
#include "history/history_store.h"

#include "history/history_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace qn {
namespace {

using test::TPinnedZone;
using test::TTempFolder;

void Exec(sqlite3* ADb, const std::string& ASql)
{
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(ADb, ASql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

// A plain SQLite file made without the store, for versions the store did not write.
void MakeDatabase(const std::string& APath, const std::string& ASql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(APath.c_str(), &db), SQLITE_OK);
    Exec(db, ASql);
    sqlite3_close(db);
}

THistoryBatch BatchOf(const std::string& AName, std::int64_t AUnixTime, std::uint64_t ADown, std::uint64_t AUp)
{
    THistoryBatch batch;
    batch.Add(AName, LocalBucketKeys(AUnixTime), ADown, AUp);
    batch.Retention = RetentionAt(AUnixTime);
    return batch;
}

std::vector<std::string> DamagedFiles(const std::string& AFolder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(AFolder))
        if (entry.path().filename().string().find(".damaged-") != std::string::npos)
            found.push_back(entry.path().filename().string());
    return found;
}

class HistoryStore : public testing::Test
{
protected:
    TPinnedZone Zone;
    TTempFolder Folder;
    std::string Path = Folder.File("history.sqlite");
    std::string MovedTo, Error;
};

TEST_F(HistoryStore, AFileThatIsNoDatabaseIsMovedAsideAndANewOneStarted)
{
    {
        std::ofstream garbage(Path, std::ios::binary);
        garbage << std::string(8192, '\x5a');
    }
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    EXPECT_NE(MovedTo.find("history.sqlite.damaged-"), std::string::npos) << MovedTo;
    EXPECT_EQ(std::filesystem::file_size(MovedTo), 8192u); // kept as it was, for whoever wants it
    ASSERT_EQ(store.Write(BatchOf("eth0", 1781258400, 5, 6), Error), THistoryFailure::hfNone);
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay).size(), 1u);
}

TEST_F(HistoryStore, ACorruptPageIsFoundAtOpenAndTheFileMovedAsideUnderAFreeName)
{
    {
        THistoryStore store;
        ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
        THistoryBatch batch;
        for (int i = 0; i < 400; ++i)
            batch.Add("veth" + std::to_string(i), LocalBucketKeys(1781258400), 1000, 1000);
        ASSERT_EQ(store.Write(batch, Error), THistoryFailure::hfNone);
    }
    // Overwrite the middle of the file (pages of the tables) with garbage, header intact.
    {
        std::fstream file(Path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096 * 2);
        file << std::string(4096 * 3, '\x01');
    }
    std::ofstream(Path + ".damaged-2000-01-01") << "an older one"; // a name already taken is not overwritten
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    EXPECT_FALSE(MovedTo.empty());
    EXPECT_EQ(DamagedFiles(Folder.Path()).size(), 2u);
    EXPECT_TRUE(store.Query(THistoryPeriod::hpDay).empty());
    // Opened again, the new file is healthy and nothing more moves.
    store.Close();
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    EXPECT_TRUE(MovedTo.empty());
}

TEST_F(HistoryStore, AnOlderSchemaIsMigratedAndANewerOneLeftAlone)
{
    MakeDatabase(Path, "PRAGMA user_version=0");
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    EXPECT_TRUE(MovedTo.empty());
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(store.Handle(), "PRAGMA user_version", -1, &s, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), THistoryStore::SchemaVersion);
    sqlite3_finalize(s);
    store.Close();

    const std::string newer = Folder.File("newer.sqlite");
    MakeDatabase(newer, "CREATE TABLE future(x); PRAGMA user_version=99");
    EXPECT_EQ(store.OpenForWriting(newer, MovedTo, Error), THistoryFailure::hfNewer);
    EXPECT_TRUE(MovedTo.empty());
    EXPECT_TRUE(DamagedFiles(Folder.Path()).empty());
    EXPECT_FALSE(store.OpenReadOnly(newer, Error));
}

// A file as version 2 wrote it: its sums, classes and warnings survive the step to per-application days.
TEST_F(HistoryStore, AVersionTwoFileKeepsItsDataAndGainsApplicationDays)
{
    MakeDatabase(Path, "CREATE TABLE interface(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
                       " class INTEGER NOT NULL DEFAULT 0);"
                       "CREATE TABLE hour(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT "
                       "NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                       "CREATE TABLE day(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT "
                       "NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                       "CREATE TABLE month(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT "
                       "NULL, upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
                       "CREATE TABLE quota_warning(period TEXT NOT NULL, level INTEGER NOT NULL,"
                       " PRIMARY KEY(period, level)) WITHOUT ROWID;"
                       "INSERT INTO interface VALUES(1, 'eth0', 1);"
                       "INSERT INTO hour VALUES(1, 2026120910, 7, 8);"
                       "INSERT INTO day VALUES(1, 20261209, 70, 80);"
                       "INSERT INTO month VALUES(1, 202612, 700, 800);"
                       "INSERT INTO quota_warning VALUES('month-2026-12-01', 80);"
                       "PRAGMA user_version=2;");
    THistoryStore reader;
    ASSERT_TRUE(reader.OpenReadOnly(Path, Error)) << Error;
    EXPECT_TRUE(reader.QueryApps(20261201, 20261231).empty()); // an old file read as it is
    reader.Close();

    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    EXPECT_EQ(store.Version(), 3);
    EXPECT_EQ(store.Query(THistoryPeriod::hpHour, "eth0"), (std::vector<THistoryRow>{{2026120910, 7, 8}}));
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay, "eth0"), (std::vector<THistoryRow>{{20261209, 70, 80}}));
    EXPECT_EQ(store.Query(THistoryPeriod::hpYear), (std::vector<THistoryRow>{{2026, 700, 800}}));
    EXPECT_EQ(store.InterfaceClasses().at("eth0"), TInterfaceClass::icPhysical);
    EXPECT_EQ(store.QuotaWarnings("month-2026-12-01"), std::vector<int>{80});

    THistoryBatch batch;
    batch.AddApp({1, "org.example.Alpha", 20261209}, "Alpha", 3'000'000, 1'000);
    ASSERT_EQ(store.Write(batch, Error), THistoryFailure::hfNone) << Error;
    EXPECT_EQ(store.QueryApps(20261209, 20261209),
              (std::vector<THistoryAppRow>{{1, "org.example.Alpha", "Alpha", 3'000'000, 1'000}}));
    EXPECT_EQ(store.IntegrityCheck(), "ok");
}

// Applications add up per day, keep their latest name, rank by their total in the span asked
// for, and go with the days they belong to.
TEST_F(HistoryStore, ApplicationDaysAddUpRankAndArePrunedWithTheDays)
{
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    THistoryBatch first;
    first.AddApp({1, "org.example.Alpha", 20261208}, "Alpha", 100, 10);
    first.AddApp({1, "org.example.Alpha", 20261209}, "Alpha", 1'000, 100);
    first.AddApp({1, "org.example.Beta", 20261209}, "Beta", 5'000, 0);
    first.AddApp({0, "", 20261209}, "Unattributed", 300, 30);
    first.AddApp({3, "session", 20261130}, "Other programs of this session", 9'000'000, 0);
    ASSERT_EQ(store.Write(first, Error), THistoryFailure::hfNone) << Error;
    THistoryBatch second;
    second.AddApp({1, "org.example.Alpha", 20261209}, "Alpha Browser", 9'000, 0); // renamed: the new name
    second.AddApp({1, "org.example.Beta", 20261209}, "", 1, 1);                   // no name: the old one stays
    ASSERT_EQ(store.Write(second, Error), THistoryFailure::hfNone) << Error;

    EXPECT_EQ(store.QueryApps(20261209, 20261209),
              (std::vector<THistoryAppRow>{{1, "org.example.Alpha", "Alpha Browser", 10'000, 100},
                                           {1, "org.example.Beta", "Beta", 5'001, 1},
                                           {0, "", "Unattributed", 300, 30}}));
    const auto [firstDay, lastDay] = DaysOfPeriod(THistoryPeriod::hpMonth, 202612);
    const auto month = store.QueryApps(firstDay, lastDay);
    ASSERT_EQ(month.size(), 3u);
    EXPECT_EQ(month[0].Download, 10'100u);
    const auto [yearFirst, yearLast] = DaysOfPeriod(THistoryPeriod::hpYear, 2026);
    EXPECT_EQ(store.QueryApps(yearFirst, yearLast).front().Id, "session");

    // Days older than the retention go, the application's name stays for when it comes back.
    THistoryBatch later;
    later.Retention = {2026120900, 20261209};
    later.AddApp({1, "org.example.Beta", 20261210}, "", 1, 0);
    ASSERT_EQ(store.Write(later, Error), THistoryFailure::hfNone) << Error;
    EXPECT_TRUE(store.QueryApps(20261101, 20261208).empty());
    EXPECT_EQ(store.QueryApps(20261210, 20261210).front().Name, "Beta");
}

TEST_F(HistoryStore, AFolderThatCannotBeMadeIsReportedAsUnwritable)
{
    std::ofstream(Folder.File("plain")) << "x";
    THistoryStore store;
    EXPECT_EQ(store.OpenForWriting(Folder.File("plain/Veldo/history.sqlite"), MovedTo, Error),
              THistoryFailure::hfReadOnly);
    EXPECT_FALSE(Error.empty());
    EXPECT_FALSE(store.IsOpen());
}

TEST_F(HistoryStore, WritesAddUpAndOldHoursAndDaysArePrunedButMonthsStay)
{
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    const std::int64_t t0 = 1781258400; // 2026-06-12 12:00
    ASSERT_EQ(store.Write(BatchOf("eth0", t0, 100, 10), Error), THistoryFailure::hfNone);
    ASSERT_EQ(store.Write(BatchOf("eth0", t0 + 60, 50, 5), Error), THistoryFailure::hfNone);
    auto hours = store.Query(THistoryPeriod::hpHour, "eth0");
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0], (THistoryRow{2026061212, 150, 15}));

    // Eight days later the hour is gone, the day and month stay.
    ASSERT_EQ(store.Write(BatchOf("eth0", t0 + 8 * 86400, 1, 1), Error), THistoryFailure::hfNone);
    hours = store.Query(THistoryPeriod::hpHour, "eth0");
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0].Key, 2026062012);
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay, "eth0").size(), 2u);

    // Three years on the days go too; months are kept forever.
    ASSERT_EQ(store.Write(BatchOf("eth0", t0 + (3 * 365 + 10) * 86400, 1, 1), Error), THistoryFailure::hfNone);
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay, "eth0").size(), 1u);
    EXPECT_EQ(store.Query(THistoryPeriod::hpMonth, "eth0").size(), 2u);
}

TEST_F(HistoryStore, ReportsSumInterfacesAndDeriveYearsFromMonths)
{
    THistoryStore store;
    ASSERT_EQ(store.OpenForWriting(Path, MovedTo, Error), THistoryFailure::hfNone) << Error;
    THistoryBatch batch;
    batch.Add("eth0", {2025113010, 20251130, 202511}, 100, 1);
    batch.Add("eth0", {2025120110, 20251201, 202512}, 200, 2);
    batch.Add("wlan0", {2025120111, 20251201, 202512}, 1000, 10);
    batch.Add("eth0", {2026010100, 20260101, 202601}, 400, 4);
    ASSERT_EQ(store.Write(batch, Error), THistoryFailure::hfNone);

    EXPECT_EQ(store.InterfaceNames(), (std::vector<std::string>{"eth0", "wlan0"}));
    EXPECT_EQ(store.Query(THistoryPeriod::hpYear), (std::vector<THistoryRow>{{2025, 1300, 13}, {2026, 400, 4}}));
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay, "wlan0"), (std::vector<THistoryRow>{{20251201, 1000, 10}}));
    EXPECT_EQ(store.Query(THistoryPeriod::hpDay),
              (std::vector<THistoryRow>{{20251130, 100, 1}, {20251201, 1200, 12}, {20260101, 400, 4}}));
    EXPECT_TRUE(store.Query(THistoryPeriod::hpDay, "nothing").empty());

    // A second connection reads while the first stays open for writing.
    THistoryStore reader;
    ASSERT_TRUE(reader.OpenReadOnly(Path, Error)) << Error;
    EXPECT_EQ(reader.Query(THistoryPeriod::hpMonth).size(), 3u);
    EXPECT_EQ(reader.Write(BatchOf("eth0", 1781258400, 1, 1), Error), THistoryFailure::hfReadOnly);
    EXPECT_FALSE(reader.OpenReadOnly(Folder.File("missing.sqlite"), Error));
}

} // namespace
} // namespace qn
