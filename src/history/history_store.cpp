// The history database on SQLite: schema, migration, writes that add, reports that sum.
#include "history/history_store.h"

#include <sqlite3.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <system_error>

namespace qn {

namespace {

// Waits this long for another connection's lock before a write is tried again a minute later, or
// a report gives up.
constexpr int BusyTimeoutMs = 2000;

// Version 1: interface names (exact bytes) and three tables of byte sums, keyed by interface and
// period (TBucketKeys); no row without traffic is ever written.
constexpr const char* SchemaV1 =
    "CREATE TABLE interface(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
    "CREATE TABLE hour(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL,"
    " upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
    "CREATE TABLE day(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL,"
    " upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;"
    "CREATE TABLE month(interface INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL,"
    " upload INTEGER NOT NULL, PRIMARY KEY(interface, period)) WITHOUT ROWID;";

// Version 2: each interface's class (TInterfaceClass, 0 until known), and the data cap warnings
// given, by period, so that each is given once however often the program starts.
constexpr const char* SchemaV2 =
    "ALTER TABLE interface ADD COLUMN class INTEGER NOT NULL DEFAULT 0;"
    "CREATE TABLE quota_warning(period TEXT NOT NULL, level INTEGER NOT NULL, PRIMARY KEY(period, level))"
    " WITHOUT ROWID;";

// Version 3: what each application moved on the uplinks per local day, kept as long as days are.
// An application is its kind and key (0 and "" for "Unattributed"), with the name last shown.
constexpr const char* SchemaV3 =
    "CREATE TABLE application(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, key TEXT NOT NULL,"
    " name TEXT NOT NULL DEFAULT '', UNIQUE(kind, key));"
    "CREATE TABLE app_day(application INTEGER NOT NULL, period INTEGER NOT NULL, download INTEGER NOT NULL,"
    " upload INTEGER NOT NULL, PRIMARY KEY(application, period)) WITHOUT ROWID;";

// The steps from each older version to the next; index n takes version n to n + 1.
constexpr const char* Migrations[] = {SchemaV1, SchemaV2, SchemaV3};
static_assert(std::size(Migrations) == THistoryStore::SchemaVersion);

const char* TableOf(THistoryPeriod APeriod)
{
    switch (APeriod) {
    case THistoryPeriod::hpHour:
        return "hour";
    case THistoryPeriod::hpDay:
        return "day";
    default:
        return "month";
    }
}

// A prepared statement that finalizes itself.
class TStatement
{
public:
    TStatement(sqlite3* ADb, const std::string& ASql)
    {
        FResult = sqlite3_prepare_v2(ADb, ASql.c_str(), -1, &FStmt, nullptr);
    }
    ~TStatement() { sqlite3_finalize(FStmt); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    int Result() const { return FResult; }
    // Ends the statement's run, so that it holds no lock while a transaction ends.
    void Reset() { sqlite3_reset(FStmt); }
    sqlite3_stmt* operator*() const { return FStmt; }

private:
    sqlite3_stmt* FStmt = nullptr;
    int FResult = SQLITE_OK;
};

std::int64_t Clamp(std::uint64_t AValue)
{
    constexpr std::uint64_t Max = static_cast<std::uint64_t>(INT64_MAX);
    return static_cast<std::int64_t>(AValue > Max ? Max : AValue);
}

// The steps of a write, each inside the writer's transaction. Each returns SQLITE_OK, or SQLite's
// result of the first failing call with its message in AError (taken before anything else runs).
int Failed(sqlite3* ADb, int ACode, std::string& AError)
{
    AError = sqlite3_errmsg(ADb);
    return ACode;
}

// Adds each bucket's bytes to its period's table, under its interface's id (made on first use).
int WriteBuckets(sqlite3* ADb, const std::map<THistoryBucket, TBucketBytes>& ABuckets, std::string& AError)
{
    TStatement addName(ADb, "INSERT INTO interface(name) VALUES(?1) ON CONFLICT(name) DO NOTHING");
    TStatement findName(ADb, "SELECT id FROM interface WHERE name=?1");
    for (const TStatement* s : {&addName, &findName})
        if (s->Result() != SQLITE_OK)
            return Failed(ADb, s->Result(), AError);
    std::map<std::string, std::int64_t> ids;
    const auto idOf = [&](const std::string& AName, std::int64_t& AId) -> int {
        if (const auto it = ids.find(AName); it != ids.end()) {
            AId = it->second;
            return SQLITE_OK;
        }
        sqlite3_reset(*addName);
        sqlite3_bind_text(*addName, 1, AName.data(), static_cast<int>(AName.size()), SQLITE_STATIC);
        if (const int rc = sqlite3_step(*addName); rc != SQLITE_DONE)
            return rc;
        sqlite3_reset(*findName);
        sqlite3_bind_text(*findName, 1, AName.data(), static_cast<int>(AName.size()), SQLITE_STATIC);
        if (const int rc = sqlite3_step(*findName); rc != SQLITE_ROW)
            return rc == SQLITE_DONE ? SQLITE_CORRUPT : rc;
        AId = sqlite3_column_int64(*findName, 0);
        ids.emplace(AName, AId);
        return SQLITE_OK;
    };

    const auto upsert = [](THistoryPeriod APeriod) {
        return std::string("INSERT INTO ") + TableOf(APeriod) +
               "(interface, period, download, upload) VALUES(?1, ?2, ?3, ?4) ON CONFLICT(interface, period) "
               "DO UPDATE SET download = download + excluded.download, upload = upload + excluded.upload";
    };
    TStatement hour(ADb, upsert(THistoryPeriod::hpHour)), day(ADb, upsert(THistoryPeriod::hpDay)),
        month(ADb, upsert(THistoryPeriod::hpMonth));
    for (const TStatement* s : {&hour, &day, &month})
        if (s->Result() != SQLITE_OK)
            return Failed(ADb, s->Result(), AError);

    for (const auto& [bucket, bytes] : ABuckets) {
        std::int64_t id = 0;
        if (const int rc = idOf(bucket.Name, id); rc != SQLITE_OK)
            return Failed(ADb, rc, AError);
        const TStatement& s = bucket.Period == THistoryPeriod::hpHour  ? hour
                              : bucket.Period == THistoryPeriod::hpDay ? day
                                                                       : month;
        sqlite3_reset(*s);
        sqlite3_bind_int64(*s, 1, id);
        sqlite3_bind_int64(*s, 2, bucket.Key);
        sqlite3_bind_int64(*s, 3, Clamp(bytes.Download));
        sqlite3_bind_int64(*s, 4, Clamp(bytes.Upload));
        if (const int rc = sqlite3_step(*s); rc != SQLITE_DONE)
            return Failed(ADb, rc, AError);
    }
    return SQLITE_OK;
}

// Classes change only when a link is made anew under a name; the update writes nothing then.
int WriteClasses(sqlite3* ADb, const std::map<std::string, TInterfaceClass>& AClasses, std::string& AError)
{
    TStatement setClass(ADb, "UPDATE interface SET class=?2 WHERE name=?1 AND class<>?2");
    if (setClass.Result() != SQLITE_OK)
        return Failed(ADb, setClass.Result(), AError);
    for (const auto& [name, c] : AClasses) {
        if (c == TInterfaceClass::icUnknown)
            continue;
        sqlite3_reset(*setClass);
        sqlite3_bind_text(*setClass, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
        sqlite3_bind_int(*setClass, 2, static_cast<int>(c));
        if (const int rc = sqlite3_step(*setClass); rc != SQLITE_DONE)
            return Failed(ADb, rc, AError);
    }
    return SQLITE_OK;
}

// The data cap warnings given, each once per period and level.
int WriteWarnings(sqlite3* ADb, const std::vector<std::pair<std::string, int>>& AWarnings, std::string& AError)
{
    TStatement warned(ADb, "INSERT INTO quota_warning(period, level) VALUES(?1, ?2) ON CONFLICT DO NOTHING");
    if (warned.Result() != SQLITE_OK)
        return Failed(ADb, warned.Result(), AError);
    for (const auto& [period, level] : AWarnings) {
        sqlite3_reset(*warned);
        sqlite3_bind_text(*warned, 1, period.data(), static_cast<int>(period.size()), SQLITE_STATIC);
        sqlite3_bind_int(*warned, 2, level);
        if (const int rc = sqlite3_step(*warned); rc != SQLITE_DONE)
            return Failed(ADb, rc, AError);
    }
    return SQLITE_OK;
}

// Hours and days older than ARetention keeps go; months stay.
int Prune(sqlite3* ADb, const TRetention& ARetention, std::string& AError)
{
    const auto prune = [&](const char* ATable, std::int64_t AFirst) {
        TStatement remove(ADb, std::string("DELETE FROM ") + ATable + " WHERE period < ?1");
        if (remove.Result() != SQLITE_OK)
            return Failed(ADb, remove.Result(), AError);
        sqlite3_bind_int64(*remove, 1, AFirst);
        if (const int rc = sqlite3_step(*remove); rc != SQLITE_DONE)
            return Failed(ADb, rc, AError);
        return SQLITE_OK;
    };
    // The applications' days are kept as long as the interfaces' days.
    int rc = prune(TableOf(THistoryPeriod::hpHour), ARetention.FirstHour);
    if (rc == SQLITE_OK)
        rc = prune(TableOf(THistoryPeriod::hpDay), ARetention.FirstDay);
    return rc == SQLITE_OK ? prune("app_day", ARetention.FirstDay) : rc;
}

std::uint64_t Unsigned(std::int64_t AValue)
{
    return AValue > 0 ? static_cast<std::uint64_t>(AValue) : 0;
}

std::string Today()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// Moves APath (and its WAL) to a free "<APath>.damaged-<date>[-n]" name; the shared-memory index
// belongs to the old file and is removed. Returns the new name, or "" when the move failed.
std::string MoveAside(const std::string& APath)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string base = APath + ".damaged-" + Today();
    std::string target = base;
    for (int n = 2; fs::exists(target, ec) && n < 1000; ++n)
        target = base + "-" + std::to_string(n);
    fs::rename(APath, target, ec);
    if (ec)
        return {};
    if (fs::exists(APath + "-wal", ec))
        fs::rename(APath + "-wal", target + "-wal", ec);
    fs::remove(APath + "-shm", ec);
    return target;
}

} // namespace

THistoryFailure HistoryFailureOf(int ASqliteResult)
{
    switch (ASqliteResult & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return THistoryFailure::hfNone;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return THistoryFailure::hfBusy;
    case SQLITE_FULL:
        return THistoryFailure::hfFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return THistoryFailure::hfDamaged;
    default:
        return THistoryFailure::hfReadOnly; // READONLY, CANTOPEN, PERM, IOERR, AUTH...
    }
}

THistoryStore::~THistoryStore()
{
    Close();
}

void THistoryStore::Close()
{
    FDb.reset();
    FPruned = {};
    FVersion = 0;
}

void THistoryStore::TCloseDb::operator()(sqlite3* ADb) const
{
    sqlite3_close_v2(ADb);
}

// sqlite3_open_v2 gives a handle even when it fails (for the message); it is ours to close either way.
int THistoryStore::OpenDb(const std::string& APath, int AFlags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(APath.c_str(), &db, AFlags, nullptr);
    FDb.reset(db);
    return rc;
}

bool THistoryStore::Exec(const char* ASql, std::string& AError)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(FDb.get(), ASql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        AError = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        return false;
    }
    return true;
}

THistoryFailure THistoryStore::OpenForWriting(const std::string& APath, std::string& AMovedTo, std::string& AError)
{
    namespace fs = std::filesystem;
    AMovedTo.clear();
    std::error_code ec;
    const fs::path folder = fs::path(APath).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    if (ec) {
        AError = ec.message();
        return THistoryFailure::hfReadOnly;
    }

    const auto attempt = [&]() -> THistoryFailure {
        Close();
        int rc = OpenDb(APath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (rc != SQLITE_OK) {
            AError = FDb.get() ? sqlite3_errmsg(FDb.get()) : sqlite3_errstr(rc);
            Close();
            // A file that exists as a regular file but does not open is as good as damaged.
            return rc == SQLITE_CANTOPEN && fs::is_regular_file(APath, ec) ? THistoryFailure::hfDamaged
                                                                           : HistoryFailureOf(rc);
        }
        sqlite3_extended_result_codes(FDb.get(), 1);
        sqlite3_busy_timeout(FDb.get(), BusyTimeoutMs);
        // The first statement reads the header: a file that is no database fails here.
        TStatement mode(FDb.get(), "PRAGMA journal_mode=WAL");
        rc = mode.Result() == SQLITE_OK ? sqlite3_step(*mode) : mode.Result();
        if (rc != SQLITE_ROW) {
            AError = sqlite3_errmsg(FDb.get());
            return HistoryFailureOf(rc);
        }
        const auto* journal = reinterpret_cast<const char*>(sqlite3_column_text(*mode, 0));
        const bool wal = journal && std::string(journal) == "wal";
        mode.Reset();
        if (!wal) {
            AError = "the file cannot be switched to write-ahead logging";
            return THistoryFailure::hfReadOnly;
        }
        if (!Exec("PRAGMA synchronous=FULL", AError))
            return THistoryFailure::hfReadOnly;
        const std::string check = IntegrityCheck();
        if (check != "ok") {
            AError = check;
            return THistoryFailure::hfDamaged;
        }
        return Migrate(AError);
    };

    THistoryFailure result = attempt();
    if (result == THistoryFailure::hfDamaged) {
        Close();
        AMovedTo = MoveAside(APath);
        if (AMovedTo.empty())
            return THistoryFailure::hfReadOnly;
        result = attempt();
    }
    if (result != THistoryFailure::hfNone)
        Close();
    return result;
}

bool THistoryStore::OpenReadOnly(const std::string& APath, std::string& AError)
{
    Close();
    const int rc = OpenDb(APath, SQLITE_OPEN_READONLY);
    if (rc != SQLITE_OK) {
        AError = FDb.get() ? sqlite3_errmsg(FDb.get()) : sqlite3_errstr(rc);
        Close();
        return false;
    }
    sqlite3_busy_timeout(FDb.get(), BusyTimeoutMs);
    TStatement version(FDb.get(), "PRAGMA user_version");
    if (version.Result() != SQLITE_OK || sqlite3_step(*version) != SQLITE_ROW) {
        AError = sqlite3_errmsg(FDb.get());
        Close();
        return false;
    }
    const int v = sqlite3_column_int(*version, 0);
    version.Reset();
    if (v < 1 || v > SchemaVersion) {
        AError = v < 1 ? "the file holds no traffic history" : "the file was written by a newer version";
        Close();
        return false;
    }
    FVersion = v;
    return true;
}

THistoryFailure THistoryStore::Migrate(std::string& AError)
{
    TStatement version(FDb.get(), "PRAGMA user_version");
    int rc = version.Result() == SQLITE_OK ? sqlite3_step(*version) : version.Result();
    if (rc != SQLITE_ROW) {
        AError = sqlite3_errmsg(FDb.get());
        return HistoryFailureOf(rc);
    }
    const int v = sqlite3_column_int(*version, 0);
    version.Reset();
    if (v > SchemaVersion) {
        AError = "the file was written by a newer version";
        return THistoryFailure::hfNewer;
    }
    if (v == SchemaVersion) {
        FVersion = v;
        return THistoryFailure::hfNone;
    }
    if (!Exec("BEGIN IMMEDIATE", AError))
        return HistoryFailureOf(sqlite3_errcode(FDb.get()));
    for (int step = v; step < SchemaVersion; ++step) {
        if (!Exec(Migrations[step], AError)) {
            const int code = sqlite3_errcode(FDb.get());
            std::string ignored;
            Exec("ROLLBACK", ignored);
            // A version-0 file with tables of its own is somebody else's database.
            return code == SQLITE_ERROR ? THistoryFailure::hfDamaged : HistoryFailureOf(code);
        }
    }
    const std::string set = "PRAGMA user_version=" + std::to_string(SchemaVersion) + ";COMMIT";
    if (!Exec(set.c_str(), AError)) {
        const int code = sqlite3_errcode(FDb.get());
        std::string ignored;
        Exec("ROLLBACK", ignored);
        return HistoryFailureOf(code);
    }
    FVersion = SchemaVersion;
    return THistoryFailure::hfNone;
}

THistoryFailure THistoryStore::Write(const THistoryBatch& ABatch, std::string& AError)
{
    if (!FDb.get()) {
        AError = "the history file is not open";
        return THistoryFailure::hfReadOnly;
    }
    const bool prune = ABatch.Retention != FPruned && ABatch.Retention.FirstDay != 0;
    if (ABatch.Empty() && !prune)
        return THistoryFailure::hfNone;

    sqlite3* db = FDb.get();
    const auto fail = [&](int ACode) {
        std::string ignored;
        if (!sqlite3_get_autocommit(db))
            Exec("ROLLBACK", ignored);
        return HistoryFailureOf(ACode);
    };
    // One transaction: the bytes, the interfaces' classes, the warnings given, the pruning.
    if (!Exec("BEGIN IMMEDIATE", AError))
        return fail(sqlite3_errcode(db));
    int rc = WriteBuckets(db, ABatch.Buckets, AError);
    if (rc == SQLITE_OK)
        rc = WriteClasses(db, ABatch.Classes, AError);
    if (rc == SQLITE_OK)
        rc = WriteWarnings(db, ABatch.Warnings, AError);
    if (rc == SQLITE_OK)
        if (rc = WriteApps(ABatch); rc != SQLITE_OK)
            rc = Failed(db, rc, AError);
    if (rc == SQLITE_OK && prune)
        rc = Prune(db, ABatch.Retention, AError);
    if (rc != SQLITE_OK)
        return fail(rc);
    if (!Exec("COMMIT", AError))
        return fail(sqlite3_errcode(db));
    if (prune)
        FPruned = ABatch.Retention;
    return THistoryFailure::hfNone;
}

int THistoryStore::WriteApps(const THistoryBatch& ABatch)
{
    if (ABatch.Apps.empty())
        return SQLITE_OK;
    // A name is kept as long as the layer gives the same one; an empty one never replaces it.
    TStatement addApp(FDb.get(), "INSERT INTO application(kind, key, name) VALUES(?1, ?2, ?3) "
                                 "ON CONFLICT(kind, key) DO UPDATE SET name = excluded.name "
                                 "WHERE excluded.name <> '' AND excluded.name <> name");
    TStatement findApp(FDb.get(), "SELECT id FROM application WHERE kind=?1 AND key=?2");
    TStatement addDay(FDb.get(), "INSERT INTO app_day(application, period, download, upload) VALUES(?1, ?2, ?3, ?4) "
                                 "ON CONFLICT(application, period) DO UPDATE SET "
                                 "download = download + excluded.download, upload = upload + excluded.upload");
    for (const TStatement* st : {&addApp, &findApp, &addDay})
        if (st->Result() != SQLITE_OK)
            return st->Result();
    for (const auto& [key, day] : ABatch.Apps) {
        sqlite3_reset(*addApp);
        sqlite3_bind_int(*addApp, 1, key.Kind);
        sqlite3_bind_text(*addApp, 2, key.Id.data(), static_cast<int>(key.Id.size()), SQLITE_STATIC);
        sqlite3_bind_text(*addApp, 3, day.Name.data(), static_cast<int>(day.Name.size()), SQLITE_STATIC);
        if (const int rc = sqlite3_step(*addApp); rc != SQLITE_DONE)
            return rc;
        sqlite3_reset(*findApp);
        sqlite3_bind_int(*findApp, 1, key.Kind);
        sqlite3_bind_text(*findApp, 2, key.Id.data(), static_cast<int>(key.Id.size()), SQLITE_STATIC);
        if (const int rc = sqlite3_step(*findApp); rc != SQLITE_ROW)
            return rc == SQLITE_DONE ? SQLITE_CORRUPT : rc;
        const std::int64_t id = sqlite3_column_int64(*findApp, 0);
        sqlite3_reset(*addDay);
        sqlite3_bind_int64(*addDay, 1, id);
        sqlite3_bind_int64(*addDay, 2, key.Day);
        sqlite3_bind_int64(*addDay, 3, Clamp(day.Bytes.Download));
        sqlite3_bind_int64(*addDay, 4, Clamp(day.Bytes.Upload));
        if (const int rc = sqlite3_step(*addDay); rc != SQLITE_DONE)
            return rc;
    }
    addApp.Reset();
    findApp.Reset();
    addDay.Reset();
    return SQLITE_OK;
}

std::vector<THistoryAppRow> THistoryStore::QueryApps(std::int64_t AFirstDay, std::int64_t ALastDay) const
{
    std::vector<THistoryAppRow> rows;
    if (!FDb.get() || FVersion < 3)
        return rows;
    TStatement s(FDb.get(),
                 "SELECT a.kind, a.key, a.name, sum(d.download), sum(d.upload) FROM app_day d "
                 "JOIN application a ON a.id = d.application WHERE d.period BETWEEN ?1 AND ?2 "
                 "GROUP BY d.application ORDER BY a.kind = 0, sum(d.download) + sum(d.upload) DESC, a.kind, a.key");
    if (s.Result() != SQLITE_OK)
        return rows;
    sqlite3_bind_int64(*s, 1, AFirstDay);
    sqlite3_bind_int64(*s, 2, ALastDay);
    const auto text = [&](int AColumn) {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(*s, AColumn));
        return data ? std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(*s, AColumn))) : std::string();
    };
    while (sqlite3_step(*s) == SQLITE_ROW) {
        THistoryAppRow row;
        row.Kind = sqlite3_column_int(*s, 0);
        row.Id = text(1);
        row.Name = text(2);
        row.Download = Unsigned(sqlite3_column_int64(*s, 3));
        row.Upload = Unsigned(sqlite3_column_int64(*s, 4));
        if (row.Total() > 0)
            rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> THistoryStore::InterfaceNames() const
{
    std::vector<std::string> names;
    if (!FDb.get())
        return names;
    TStatement s(FDb.get(), "SELECT name FROM interface WHERE id IN (SELECT interface FROM month) ORDER BY name");
    if (s.Result() != SQLITE_OK)
        return names;
    while (sqlite3_step(*s) == SQLITE_ROW)
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_blob(*s, 0)),
                           static_cast<std::size_t>(sqlite3_column_bytes(*s, 0)));
    return names;
}

std::vector<THistoryRow> THistoryStore::Query(THistoryPeriod APeriod, const std::string& AName) const
{
    std::vector<THistoryRow> rows;
    if (!FDb.get())
        return rows;
    const bool year = APeriod == THistoryPeriod::hpYear;
    const std::string key = year ? "period / 100" : "period";
    std::string sql = "SELECT " + key + " AS k, sum(download), sum(upload) FROM " + TableOf(APeriod);
    if (!AName.empty())
        sql += " WHERE interface = (SELECT id FROM interface WHERE name = ?1)";
    sql += " GROUP BY k ORDER BY k";
    TStatement s(FDb.get(), sql);
    if (s.Result() != SQLITE_OK)
        return rows;
    if (!AName.empty())
        sqlite3_bind_text(*s, 1, AName.data(), static_cast<int>(AName.size()), SQLITE_STATIC);
    while (sqlite3_step(*s) == SQLITE_ROW) {
        THistoryRow row;
        row.Key = sqlite3_column_int64(*s, 0);
        row.Download = Unsigned(sqlite3_column_int64(*s, 1));
        row.Upload = Unsigned(sqlite3_column_int64(*s, 2));
        rows.push_back(row);
    }
    return rows;
}

std::vector<THistoryRow> THistoryStore::QueryNames(THistoryPeriod APeriod, const std::vector<std::string>& ANames) const
{
    std::map<std::int64_t, THistoryRow> sums;
    for (const std::string& name : ANames) {
        if (name.empty())
            continue;
        for (const THistoryRow& row : Query(APeriod, name)) {
            THistoryRow& sum = sums[row.Key];
            sum.Key = row.Key;
            sum.Download += row.Download;
            sum.Upload += row.Upload;
        }
    }
    std::vector<THistoryRow> rows;
    rows.reserve(sums.size());
    for (const auto& [key, row] : sums)
        rows.push_back(row);
    return rows;
}

std::map<std::string, TInterfaceClass> THistoryStore::InterfaceClasses() const
{
    std::map<std::string, TInterfaceClass> classes;
    if (!FDb.get() || FVersion < 2)
        return classes;
    TStatement s(FDb.get(), "SELECT name, class FROM interface WHERE class<>0");
    if (s.Result() != SQLITE_OK)
        return classes;
    while (sqlite3_step(*s) == SQLITE_ROW) {
        const int c = sqlite3_column_int(*s, 1);
        // A class number this version does not know says nothing.
        if (c > 0 && c <= static_cast<int>(TInterfaceClass::icTunnel))
            classes[std::string(reinterpret_cast<const char*>(sqlite3_column_blob(*s, 0)),
                                static_cast<std::size_t>(sqlite3_column_bytes(*s, 0)))] =
                static_cast<TInterfaceClass>(c);
    }
    return classes;
}

std::vector<int> THistoryStore::QuotaWarnings(const std::string& APeriodId) const
{
    std::vector<int> levels;
    if (!FDb.get() || FVersion < 2)
        return levels;
    TStatement s(FDb.get(), "SELECT level FROM quota_warning WHERE period=?1 ORDER BY level");
    if (s.Result() != SQLITE_OK)
        return levels;
    sqlite3_bind_text(*s, 1, APeriodId.data(), static_cast<int>(APeriodId.size()), SQLITE_STATIC);
    while (sqlite3_step(*s) == SQLITE_ROW)
        levels.push_back(sqlite3_column_int(*s, 0));
    return levels;
}

std::string THistoryStore::IntegrityCheck() const
{
    if (!FDb.get())
        return "not open";
    TStatement s(FDb.get(), "PRAGMA quick_check");
    if (s.Result() != SQLITE_OK)
        return sqlite3_errmsg(FDb.get());
    std::string result;
    int rc;
    while ((rc = sqlite3_step(*s)) == SQLITE_ROW) {
        if (!result.empty())
            result += "; ";
        if (const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(*s, 0)))
            result += text;
    }
    if (rc != SQLITE_DONE)
        return sqlite3_errmsg(FDb.get());
    return result;
}

void THistoryStore::SetMaxPageCount(int APages)
{
    if (!FDb.get())
        return;
    const std::string sql = "PRAGMA max_page_count=" + std::to_string(APages);
    std::string ignored;
    Exec(sql.c_str(), ignored);
}

} // namespace qn
