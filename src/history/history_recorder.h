// The one recorder of a user's traffic history: reads, the minute's write on a worker, failures.
#pragma once

#include "history/history_sampler.h"
#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"
#include "platform/file_lock.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qn {

// The pace of the history's reads (see THistoryRecorder for why five seconds).
constexpr std::uint64_t HistoryReadIntervalMs = 5000;

struct THistoryRecorderOptions
{
    std::string FileName;                                 // the database; the lock file is FileName + ".lock"
    std::uint64_t WriteIntervalMs = 60000;                // monotonic time between two writes
    std::uint64_t ReadIntervalMs = HistoryReadIntervalMs; // monotonic time between two reads of the counters
    int MaxPageCount = 0;                                 // caps the file (tests fill a "disk" with it); 0: no cap
};

// Only one recorder per file: Start takes an exclusive lock on "<file>.lock" (flock, dropped by the
// kernel when the process ends however it ends). A second program that finds the lock taken does
// not record; it still reads the file for its reports, and tries the lock again once per write
// interval, so it takes over when the first one ends. A lock file rather than SQLite's own
// exclusive mode, because that would also shut out every reader of the WAL file.
//
// Tick, SetInterfaces, Stop and TakeMessages belong to one thread (the GUI's). Tick reads the
// counters once ReadIntervalMs has passed on the monotonic clock (half a second early counts, for
// a timer's jitter) and, once WriteIntervalMs has passed, hands the batch to a worker thread that
// opens the file and writes it in one transaction, so no tick ever waits on the disk. Stop reads
// once more, writes the last batch and waits for the worker.
//
// Reads every five seconds rather than every second. With the program's source the reads take the
// counters of the one-second pass that the list and the panels share (no request of their own);
// the sampling itself then costs a little per interface, and what a less frequent read gives up is
// at most five seconds of traffic before a reset or the loss of an interface, and traffic of up to
// five seconds booked into the next hour.
//
// A file that is damaged or does not open is moved aside and a new one started (one message).
// A folder or file that cannot be written or a full disk turns recording off (one message); the
// rest of the program goes on. The source and the clock are borrowed and outlive the recorder.
class THistoryRecorder
{
public:
    THistoryRecorder(ITrafficCounterSource& ASource, IClock& AClock, THistoryRecorderOptions AOptions);
    ~THistoryRecorder();
    THistoryRecorder(const THistoryRecorder&) = delete;
    THistoryRecorder& operator=(const THistoryRecorder&) = delete;

    // Makes the folder, takes the lock and starts the worker. False when another recorder holds
    // the file, or the lock file cannot be made (a message says so); this recorder then never
    // reads nor writes.
    bool Start();
    // Started and not turned off by a failure.
    bool Recording() const;
    // The interfaces the following ticks read.
    void SetInterfaces(std::vector<THistoryInterface> AInterfaces);
    // The classes of the present interfaces, recorded with the following writes.
    void SetClasses(std::map<std::string, TInterfaceClass> AClasses);
    // Remembers a data cap warning in the file at once (not only with the minute's write).
    void RememberWarning(const std::string& APeriodId, int ALevel);
    // The bytes read of AName on the local days [AFirstDay, AEndDay) since Start, written or not
    // (days of the last two months are kept), for totals that are current to the last read. With
    // AHandedOver only those handed to the writer, which the file holds once Flush returns.
    TBucketBytes ReadBytes(const std::string& AName, std::int64_t AFirstDay, std::int64_t AEndDay,
                           bool AHandedOver = false) const;
    // Adds what an application moved on the uplinks since the last call to today's row of it
    // (AKind 0 is "Unattributed"); written with the next batch. Ignored while not recording.
    void AddAppBytes(int AKind, const std::string& AId, const std::string& AName, std::uint64_t ADownload,
                     std::uint64_t AUpload);
    // True when this tick read the counters.
    bool Tick();
    // The last read and write; waits for the worker. The recorder stays stopped.
    void Stop();
    // Waits until everything handed to the worker is written or has failed.
    void Flush();
    // A read and a write now, without stopping, and the wait for the write: what the ending
    // writes, for a session manager's save or the moment before a sleep.
    void WriteNow();
    // Messages for the user since the last call, each failure told once.
    std::vector<std::string> TakeMessages();

    const std::string& FileName() const { return FOptions.FileName; }

private:
    void HandOver();
    void WorkerRun();
    void Post(const std::string& AMessage);

    IClock& FClock;
    THistoryRecorderOptions FOptions;
    THistorySampler FSampler;
    TFileLock FLock;
    std::vector<THistoryInterface> FInterfaces;
    std::map<std::string, TInterfaceClass> FClasses;
    std::map<TAppDayKey, TAppDayBytes> FApps; // not yet handed over
    std::map<std::pair<std::string, std::int64_t>, TBucketBytes> FHandedOverDays;
    std::uint64_t FLastHandOver = 0;
    std::uint64_t FLastRead = 0;
    bool FHaveRead = false;
    bool FWaiting = false; // another recorder holds the lock: try again later
    std::uint64_t FLastTry = 0;
    bool FStarted = false;

    mutable std::mutex FMutex;
    std::condition_variable FWake;
    std::condition_variable FIdle;
    std::deque<THistoryBatch> FQueue;
    std::vector<std::string> FMessages;
    bool FWriting = false;
    bool FStopping = false;
    bool FOff = false;
    std::thread FWorker;
};

} // namespace qn
