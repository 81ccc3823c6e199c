// The history database: an SQLite file of byte sums per interface and local hour, day and month.
#pragma once

#include "history/history_batch.h"
#include "history/history_period.h"
#include "history/interface_class.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace qn {

// One row of a report: a period and the bytes moved in it.
struct THistoryRow
{
    std::int64_t Key = 0; // as TBucketKeys names it; a year for hpYear
    std::uint64_t Download = 0;
    std::uint64_t Upload = 0;

    std::uint64_t Total() const { return Download + Upload; }
    bool operator==(const THistoryRow&) const = default;
};

// One application's bytes over a span of days, as the applications layer named it when it last moved.
struct THistoryAppRow
{
    int Kind = 0; // 0: "Unattributed"; else the applications layer's kind of unit
    std::string Id;
    std::string Name;
    std::uint64_t Download = 0;
    std::uint64_t Upload = 0;

    std::uint64_t Total() const { return Download + Upload; }
    bool operator==(const THistoryAppRow&) const = default;
};

// Why a write or an open failed, which decides what the recorder does next.
enum class THistoryFailure : std::uint8_t
{
    hfNone,
    hfBusy,     // another connection holds the write lock: try again with the next write
    hfFull,     // the disk (or the file's size limit) is full
    hfReadOnly, // the file or its folder cannot be written
    hfDamaged,  // the file is no database or is corrupt
    hfNewer,    // written by a newer program with a schema this one does not know
};

// One connection, used on one thread. The schema version is SQLite's user_version; opening for
// writing migrates an older file step by step in one transaction. Writes add to the stored sums
// in one transaction each and never lower a sum. The file runs in WAL mode, so reports read while
// a write goes on, and every commit is synced, so a power loss keeps every committed write.
class THistoryStore
{
public:
    static constexpr int SchemaVersion = 3;

    THistoryStore() = default;
    ~THistoryStore();
    THistoryStore(const THistoryStore&) = delete;
    THistoryStore& operator=(const THistoryStore&) = delete;

    // Opens or creates APath (and its folder) for writing. A file that is no database, fails the
    // quick check or cannot be opened although it exists is moved aside to
    // "<APath>.damaged-<YYYY-MM-DD>" (with its WAL) and a new one is started: AMovedTo is then the
    // new name of the old file. Returns hfNone when open.
    THistoryFailure OpenForWriting(const std::string& APath, std::string& AMovedTo, std::string& AError);
    // Opens an existing APath for reading only; never creates, migrates or moves anything.
    bool OpenReadOnly(const std::string& APath, std::string& AError);
    void Close();
    bool IsOpen() const { return FDb != nullptr; }

    // Adds ABatch in one transaction and drops hours and days older than its retention.
    THistoryFailure Write(const THistoryBatch& ABatch, std::string& AError);

    // Names that have rows, sorted bytewise.
    std::vector<std::string> InterfaceNames() const;
    // The rows of APeriod, oldest first, of one interface or, with an empty AName, summed over all.
    std::vector<THistoryRow> Query(THistoryPeriod APeriod, const std::string& AName = {}) const;
    // The rows of APeriod summed over ANames (none for an empty list).
    std::vector<THistoryRow> QueryNames(THistoryPeriod APeriod, const std::vector<std::string>& ANames) const;
    // The class last recorded for each interface that has one.
    std::map<std::string, TInterfaceClass> InterfaceClasses() const;
    // Each application's bytes on the local days [AFirstDay, ALastDay] (TBucketKeys' day keys), the
    // most first and "Unattributed" last; none from a file older than version 3.
    std::vector<THistoryAppRow> QueryApps(std::int64_t AFirstDay, std::int64_t ALastDay) const;
    // The data cap warning levels given in the period APeriodId (0 is the forecast).
    std::vector<int> QuotaWarnings(const std::string& APeriodId) const;
    // The schema version of the open file (a reader may open an older one).
    int Version() const { return FVersion; }
    // "ok", or what PRAGMA quick_check reports.
    std::string IntegrityCheck() const;

    // Caps the file at APages pages, so tests can fill a "disk".
    void SetMaxPageCount(int APages);
    sqlite3* Handle() const { return FDb.get(); }

private:
    THistoryFailure Migrate(std::string& AError);
    // The applications' days of ABatch, inside Write's transaction; an SQLite result code.
    int WriteApps(const THistoryBatch& ABatch);
    bool Exec(const char* ASql, std::string& AError);
    int OpenDb(const std::string& APath, int AFlags);

    struct TCloseDb
    {
        void operator()(sqlite3* ADb) const;
    };
    std::unique_ptr<sqlite3, TCloseDb> FDb;
    TRetention FPruned;
    int FVersion = 0;
};

// The failure that an SQLite result code stands for.
THistoryFailure HistoryFailureOf(int ASqliteResult);

} // namespace qn
