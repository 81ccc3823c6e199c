// The recorder: one per file, the minute's write on its worker, failures told once, crashes.
#include "history/history_recorder.h"

#include "history/history_store.h"

#include "history/history_fakes.h"
#include "support/fake_clock.h"
#include "support/scripted_counters.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace qn {
namespace {

using test::TFakeClock;
using test::TPinnedZone;
using test::TScriptedCounters;
using test::TTempFolder;

std::uint64_t StoredDownload(const std::string& APath, const std::string& AName = {})
{
    THistoryStore reader;
    std::string error;
    if (!reader.OpenReadOnly(APath, error))
        return 0;
    std::uint64_t sum = 0;
    for (const THistoryRow& row : reader.Query(THistoryPeriod::hpMonth, AName))
        sum += row.Download;
    return sum;
}

// One running copy of the program: its clock, its counters and its recorder.
struct TCopy
{
    TFakeClock Clock;
    TScriptedCounters Counters{Clock};
    THistoryRecorder Recorder;

    TCopy(const std::string& APath, std::uint64_t AIntervalMs = 60000, int AMaxPages = 0)
        : Recorder(Counters, Clock, {APath, AIntervalMs, 1000, AMaxPages})
    {
        Clock.Wall = 1781258400;
        Counters.Values[1] = {1000, 1000, true};
        Recorder.SetInterfaces({{"eth0", 1}});
    }
    // ASeconds one-second ticks, each moving ABytes down.
    void Run(int ASeconds, std::uint64_t ABytes)
    {
        for (int i = 0; i < ASeconds; ++i) {
            Clock.Advance(1);
            Counters.Values[1].InOctets += ABytes;
            Recorder.Tick();
        }
    }
};

class HistoryRecorder : public testing::Test
{
protected:
    TPinnedZone Zone;
    TTempFolder Folder;
    std::string Path = Folder.File("Veldo/Quarno/history.sqlite");
};

TEST_F(HistoryRecorder, OfTwoCopiesOnlyTheFirstRecordsAndTheOtherTakesOverOnceItStops)
{
    TCopy first(Path), second(Path);
    ASSERT_TRUE(first.Recorder.Start());
    EXPECT_FALSE(second.Recorder.Start());
    EXPECT_FALSE(second.Recorder.Recording());
    first.Run(61, 10);
    second.Run(61, 1'000'000);
    first.Recorder.Flush();
    // The first tick takes the baseline; the minute's write came at the 60th.
    EXPECT_EQ(StoredDownload(Path), 590u);
    EXPECT_TRUE(second.Recorder.TakeMessages().empty()); // not recording is no failure

    first.Recorder.Stop(); // the last write happens at Stop, whatever the interval
    EXPECT_EQ(StoredDownload(Path), 600u);
    // The second copy tries the lock again a minute after its last try, and records from then on.
    second.Run(58, 1);
    EXPECT_FALSE(second.Recorder.Recording());
    second.Run(2, 1);
    EXPECT_TRUE(second.Recorder.Recording());
    second.Run(3, 5);
    second.Recorder.Stop();
    EXPECT_EQ(StoredDownload(Path), 616u); // its first read is its baseline
}

TEST_F(HistoryRecorder, WritesFollowTheMonotonicClockWhenTheWallClockGoesBack)
{
    TCopy copy(Path);
    ASSERT_TRUE(copy.Recorder.Start());
    copy.Run(30, 1);
    copy.Clock.Wall -= 3600;
    copy.Run(29, 1);
    copy.Recorder.Flush();
    EXPECT_EQ(StoredDownload(Path), 0u); // not a minute yet
    copy.Run(1, 1);
    copy.Recorder.Flush();
    EXPECT_EQ(StoredDownload(Path), 59u);
}

TEST_F(HistoryRecorder, ReadsEveryFifthPassAndLosesNothingInBetween)
{
    TFakeClock clock;
    TScriptedCounters counters{clock};
    counters.Values[1] = {1000, 1000, true};
    clock.Wall = 1781258400;
    THistoryRecorder recorder(counters, clock, {Path, 60000, 5000, 0});
    recorder.SetInterfaces({{"eth0", 1}});
    ASSERT_TRUE(recorder.Start());
    for (int i = 0; i <= 60; ++i) {
        clock.Ms += i % 2 ? 999 : 1001; // a timer's jitter
        counters.Values[1].InOctets += 10;
        recorder.Tick();
    }
    EXPECT_EQ(counters.Reads, 13); // the first pass, then every fifth
    recorder.Flush();
    // Written at the first read a minute after the start: everything after the baseline.
    EXPECT_EQ(StoredDownload(Path), 600u);
    counters.Values[1].InOctets += 7;
    recorder.Stop(); // reads once more, whenever it comes
    EXPECT_EQ(StoredDownload(Path), 607u);
}

TEST_F(HistoryRecorder, AJumpOfTwoHoursAheadMovesWhereBytesGoNeverHowMany)
{
    TCopy copy(Path);
    ASSERT_TRUE(copy.Recorder.Start());
    copy.Run(30, 3);
    copy.Clock.Wall += 2 * 3600;
    copy.Run(29, 3);
    copy.Recorder.Flush();
    EXPECT_EQ(StoredDownload(Path), 0u); // the write still waits for a monotonic minute
    copy.Run(1, 3);
    copy.Recorder.Flush();
    EXPECT_EQ(StoredDownload(Path), 177u);
}

TEST_F(HistoryRecorder, WriteNowWritesTheTrafficSoFarAndASleepLosesNothing)
{
    TCopy copy(Path);
    copy.Recorder.WriteNow(); // not started: nothing to read or write
    ASSERT_TRUE(copy.Recorder.Start());
    copy.Run(10, 100);
    // The session manager asks to save, and then the machine goes to sleep.
    copy.Counters.Values[1].InOctets += 5;
    copy.Recorder.WriteNow();
    EXPECT_EQ(StoredDownload(Path), 905u); // everything after the first tick's baseline
    // Asleep for eight hours: the wall clock jumps, the link comes back under another index with
    // fresh counters; the wake's refresh and read take a new baseline there.
    copy.Clock.Wall += 8 * 3600;
    copy.Counters.Values[2] = {0, 0, true};
    copy.Recorder.SetInterfaces({{"eth0", 2}});
    copy.Recorder.WriteNow();
    copy.Run(10, 0);
    for (int i = 0; i < 3; ++i) {
        copy.Counters.Values[2].InOctets += 1000;
        copy.Run(1, 0);
    }
    copy.Recorder.Stop();
    EXPECT_EQ(StoredDownload(Path), 3905u);
}

TEST_F(HistoryRecorder, AFullDiskTurnsRecordingOffWithOneMessage)
{
    TCopy copy(Path, 1000, 8); // eight pages: the file fills after a few hundred interfaces
    for (std::uint32_t i = 2; i < 600; ++i)
        copy.Counters.Values[i] = {1000, 1000, true};
    std::vector<THistoryInterface> many{{"eth0", 1}};
    for (std::uint32_t i = 2; i < 600; ++i)
        many.push_back({"a-rather-long-interface-name-" + std::to_string(i), i});
    copy.Recorder.SetInterfaces(many);
    ASSERT_TRUE(copy.Recorder.Start());
    for (int s = 0; s < 5; ++s) {
        copy.Clock.Advance(1);
        for (auto& [idx, c] : copy.Counters.Values)
            c.InOctets += 1;
        copy.Recorder.Tick();
        copy.Recorder.Flush();
    }
    EXPECT_FALSE(copy.Recorder.Recording());
    const auto messages = copy.Recorder.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("the disk is full"), std::string::npos) << messages[0];
    copy.Run(5, 1);
    EXPECT_TRUE(copy.Recorder.TakeMessages().empty());
    copy.Recorder.Stop();
}

TEST_F(HistoryRecorder, AnUnwritableFolderTurnsRecordingOffWithOneMessage)
{
    std::ofstream(Folder.File("file")) << "x";
    TCopy copy(Folder.File("file/history.sqlite"));
    EXPECT_FALSE(copy.Recorder.Start());
    EXPECT_FALSE(copy.Recorder.Recording());
    const auto messages = copy.Recorder.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("unable to write to"), std::string::npos) << messages[0];
    copy.Run(61, 1); // and nothing else breaks
    copy.Recorder.Stop();
    EXPECT_TRUE(copy.Recorder.TakeMessages().empty());
}

TEST_F(HistoryRecorder, ADamagedFileIsMovedAsideAndTheUserToldOnce)
{
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    std::ofstream(Path) << "not a database at all, but long enough to look like a header of something";
    TCopy copy(Path);
    ASSERT_TRUE(copy.Recorder.Start());
    copy.Run(60, 7);
    copy.Recorder.Flush();
    const auto messages = copy.Recorder.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("history.sqlite.damaged-"), std::string::npos) << messages[0];
    EXPECT_TRUE(copy.Recorder.Recording());
    EXPECT_EQ(StoredDownload(Path), 59u * 7);
    copy.Recorder.Stop();
    EXPECT_TRUE(copy.Recorder.TakeMessages().empty());
}

// A child writes a minute at a time and tells the parent each time a write has committed; the
// parent kills it at a random moment. Every time the file must open, pass the integrity check and
// hold every reported minute, plus at most the one that was being written.
TEST_F(HistoryRecorder, SigkillDuringWritesLosesAtMostTheLastMinute)
{
    constexpr std::uint64_t PerMinute = 60 * 1000;
    std::mt19937 random(20261209);
    std::uint64_t stored = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            TCopy copy(Path);
            for (std::uint32_t i = 2; i < 40; ++i) // enough rows for a write to take a while
                copy.Counters.Values[i] = {1, 1, true};
            std::vector<THistoryInterface> all{{"eth0", 1}};
            for (std::uint32_t i = 2; i < 40; ++i)
                all.push_back({"veth" + std::to_string(i), i});
            copy.Recorder.SetInterfaces(all);
            if (!copy.Recorder.Start())
                _exit(3);
            copy.Recorder.Tick(); // the baseline
            for (std::uint32_t minute = 1;; ++minute) {
                for (int s = 0; s < 60; ++s) {
                    copy.Clock.Advance(1);
                    for (auto& [idx, c] : copy.Counters.Values)
                        c.InOctets += 1000;
                    copy.Recorder.Tick();
                }
                copy.Recorder.Flush();
                if (write(fds[1], &minute, sizeof minute) != sizeof minute)
                    _exit(4);
            }
        }
        close(fds[1]);
        std::uint32_t reported = 0, minute = 0;
        const int wanted = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < wanted && read(fds[0], &minute, sizeof minute) == sizeof minute; ++i)
            reported = minute;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        while (read(fds[0], &minute, sizeof minute) == sizeof minute)
            reported = minute;
        close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended on its own: " << WEXITSTATUS(status);
        ASSERT_GE(reported, 1u);

        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_stmt* s = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "ok");
        sqlite3_finalize(s);
        sqlite3_close(db);

        const std::uint64_t now = StoredDownload(Path, "eth0");
        const std::uint64_t minutes = (now - stored) / PerMinute;
        EXPECT_EQ((now - stored) % PerMinute, 0u);
        EXPECT_GE(minutes, reported);
        EXPECT_LE(minutes, reported + 1u);
        stored = now;
    }
}

// Applications' bytes go into the minute's write on their local day, a second copy that does
// not record drops them, and the ending writes what is left.
TEST_F(HistoryRecorder, ApplicationBytesAreWrittenOnTheirDayByTheCopyThatRecords)
{
    TCopy first(Path), second(Path);
    ASSERT_TRUE(first.Recorder.Start());
    EXPECT_FALSE(second.Recorder.Start());
    second.Recorder.AddAppBytes(1, "org.example.Alpha", "Alpha", 999, 999);
    first.Recorder.AddAppBytes(1, "org.example.Alpha", "Alpha", 3'000, 100);
    first.Recorder.AddAppBytes(0, "", "Unattributed", 50, 5);
    first.Run(61, 10);
    first.Recorder.AddAppBytes(1, "org.example.Alpha", "Alpha", 1'000, 0);
    first.Recorder.Flush();
    {
        THistoryStore reader;
        std::string error;
        ASSERT_TRUE(reader.OpenReadOnly(Path, error)) << error;
        EXPECT_EQ(reader.QueryApps(20260612, 20260612),
                  (std::vector<THistoryAppRow>{{1, "org.example.Alpha", "Alpha", 3'000, 100},
                                               {0, "", "Unattributed", 50, 5}}));
    }
    first.Clock.Wall += 86400; // the next local day
    first.Recorder.AddAppBytes(1, "org.example.Alpha", "Alpha", 7, 0);
    first.Recorder.Stop();
    THistoryStore reader;
    std::string error;
    ASSERT_TRUE(reader.OpenReadOnly(Path, error)) << error;
    EXPECT_EQ(reader.QueryApps(20260612, 20260612).front().Download, 4'000u);
    EXPECT_EQ(reader.QueryApps(20260613, 20260613),
              (std::vector<THistoryAppRow>{{1, "org.example.Alpha", "Alpha", 7, 0}}));
}

} // namespace
} // namespace qn
