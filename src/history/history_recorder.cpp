// Reads on the caller's thread, writes on a worker, failures told once.
#include "history/history_recorder.h"

#include "history/history_messages.h"
#include "history/history_store.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace qn {

THistoryRecorder::THistoryRecorder(ITrafficCounterSource& ASource, IClock& AClock, THistoryRecorderOptions AOptions)
    : FClock(AClock), FOptions(std::move(AOptions)), FSampler(ASource, AClock)
{
}

THistoryRecorder::~THistoryRecorder()
{
    Stop();
}

bool THistoryRecorder::Start()
{
    if (FStarted)
        return true;
    const std::string lockFile = FOptions.FileName + ".lock";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(lockFile).parent_path(), ec);
    const TFileLock::TResult locked = FLock.TryLock(lockFile);
    if (locked == TFileLock::lrFailed)
        Post(FillText(MsgNotRecordedLock, {lockFile}));
    // Held: another copy records, which is no failure; this one tries again now and then, so it
    // takes over when that copy ends.
    FWaiting = locked == TFileLock::lrHeld;
    FLastTry = FClock.TickCount();
    if (locked != TFileLock::lrLocked)
        return false;
    FStarted = true;
    FLastHandOver = FClock.TickCount();
    FHaveRead = false;
    try {
        FWorker = std::thread([this] { WorkerRun(); });
    } catch (const std::system_error& e) {
        FStarted = false;
        FLock.Unlock();
        Post(FillText(MsgNotRecorded, {e.what()}));
        return false;
    }
    return true;
}

bool THistoryRecorder::Recording() const
{
    std::lock_guard lock(FMutex);
    return FStarted && !FOff;
}

void THistoryRecorder::SetInterfaces(std::vector<THistoryInterface> AInterfaces)
{
    FInterfaces = std::move(AInterfaces);
}

bool THistoryRecorder::Tick()
{
    const std::uint64_t now = FClock.TickCount();
    if (FWaiting && now - FLastTry >= FOptions.WriteIntervalMs)
        Start();
    if (!Recording())
        return false;
    if (FHaveRead && now - FLastRead + 500 < FOptions.ReadIntervalMs)
        return false;
    FHaveRead = true;
    FLastRead = now;
    FSampler.Sample(FInterfaces);
    if (now - FLastHandOver >= FOptions.WriteIntervalMs)
        HandOver();
    return true;
}

void THistoryRecorder::SetClasses(std::map<std::string, TInterfaceClass> AClasses)
{
    FClasses = std::move(AClasses);
}

void THistoryRecorder::RememberWarning(const std::string& APeriodId, int ALevel)
{
    if (!Recording())
        return;
    THistoryBatch batch;
    batch.Warnings.emplace_back(APeriodId, ALevel);
    std::lock_guard lock(FMutex);
    FQueue.push_back(std::move(batch));
    FWake.notify_one();
}

TBucketBytes THistoryRecorder::ReadBytes(const std::string& AName, std::int64_t AFirstDay, std::int64_t AEndDay,
                                         bool AHandedOver) const
{
    TBucketBytes sum;
    const auto add = [&](const TBucketBytes& ABytes) {
        sum.Download += ABytes.Download;
        sum.Upload += ABytes.Upload;
    };
    for (auto it = FHandedOverDays.lower_bound({AName, AFirstDay});
         it != FHandedOverDays.end() && it->first.first == AName && it->first.second < AEndDay; ++it)
        add(it->second);
    if (AHandedOver)
        return sum;
    for (const auto& [bucket, bytes] : FSampler.PendingBatch().Buckets)
        if (bucket.Period == THistoryPeriod::hpDay && bucket.Name == AName && bucket.Key >= AFirstDay &&
            bucket.Key < AEndDay)
            add(bytes);
    return sum;
}

void THistoryRecorder::AddAppBytes(int AKind, const std::string& AId, const std::string& AName, std::uint64_t ADownload,
                                   std::uint64_t AUpload)
{
    if ((ADownload == 0 && AUpload == 0) || !Recording())
        return;
    TAppDayBytes& day = FApps[TAppDayKey{AKind, AId, LocalBucketKeys(FClock.UnixTime()).Day}];
    day.Name = AName;
    day.Bytes.Download += ADownload;
    day.Bytes.Upload += AUpload;
}

void THistoryRecorder::HandOver()
{
    FLastHandOver = FClock.TickCount();
    THistoryBatch batch = FSampler.TakeBatch();
    batch.Classes = FClasses;
    batch.Apps = std::exchange(FApps, {});
    // The day sums stay for live totals; days older than two months can belong to no period.
    const std::int64_t oldest = LocalBucketKeys(FClock.UnixTime() - 62 * 86400).Day;
    std::erase_if(FHandedOverDays, [&](const auto& AEntry) { return AEntry.first.second < oldest; });
    for (const auto& [bucket, bytes] : batch.Buckets)
        if (bucket.Period == THistoryPeriod::hpDay) {
            TBucketBytes& sum = FHandedOverDays[{bucket.Name, bucket.Key}];
            sum.Download += bytes.Download;
            sum.Upload += bytes.Upload;
        }
    std::lock_guard lock(FMutex);
    FQueue.push_back(std::move(batch));
    FWake.notify_one();
}

void THistoryRecorder::Stop()
{
    FWaiting = false;
    if (!FStarted)
        return;
    if (Recording()) {
        FSampler.Sample(FInterfaces);
        HandOver();
    }
    {
        std::lock_guard lock(FMutex);
        FStopping = true;
        FWake.notify_one();
    }
    FWorker.join();
    FLock.Unlock();
    FStarted = false;
}

void THistoryRecorder::WriteNow()
{
    if (!Recording())
        return;
    FHaveRead = true;
    FLastRead = FClock.TickCount();
    FSampler.Sample(FInterfaces);
    HandOver();
    Flush();
}

void THistoryRecorder::Flush()
{
    std::unique_lock lock(FMutex);
    FIdle.wait(lock, [this] { return !FStarted || ((FQueue.empty() || FOff) && !FWriting); });
}

std::vector<std::string> THistoryRecorder::TakeMessages()
{
    std::lock_guard lock(FMutex);
    return std::exchange(FMessages, {});
}

void THistoryRecorder::Post(const std::string& AMessage)
{
    std::lock_guard lock(FMutex);
    FMessages.push_back(AMessage);
}

void THistoryRecorder::WorkerRun()
{
    THistoryStore store;
    const auto turnOff = [&](THistoryFailure AFailure, const std::string& AError) {
        const std::string text = AFailure == THistoryFailure::hfFull ? FillText(MsgNotRecordedFull, {FOptions.FileName})
                                 : AFailure == THistoryFailure::hfNewer
                                     ? FillText(MsgNotRecordedNewer, {FOptions.FileName})
                                     : FillText(MsgNotRecordedWrite, {FOptions.FileName, AError});
        store.Close();
        std::lock_guard lock(FMutex);
        FOff = true;
        FMessages.push_back(text);
        FQueue.clear();
        FIdle.notify_all();
    };

    {
        std::lock_guard lock(FMutex);
        FWriting = true;
    }
    std::string movedTo, error;
    THistoryFailure opened = store.OpenForWriting(FOptions.FileName, movedTo, error);
    if (!movedTo.empty())
        Post(FillText(MsgDamagedMoved, {movedTo}));
    if (opened == THistoryFailure::hfNone && FOptions.MaxPageCount > 0)
        store.SetMaxPageCount(FOptions.MaxPageCount);
    if (opened != THistoryFailure::hfNone)
        turnOff(opened, error);

    std::unique_lock lock(FMutex);
    FWriting = false;
    FIdle.notify_all();
    // A write that found the file locked by another connection is tried again with the next one.
    THistoryBatch carry;
    for (;;) {
        FWake.wait(lock, [this] { return FStopping || !FQueue.empty(); });
        if (FQueue.empty() && carry.Empty())
            break; // stopping
        THistoryBatch batch = std::move(carry);
        carry = THistoryBatch{};
        // Whatever queued up while the last write ran goes into one transaction.
        while (!FQueue.empty()) {
            batch.Merge(FQueue.front());
            batch.Retention = FQueue.front().Retention;
            FQueue.pop_front();
        }
        if (!FOff) {
            FWriting = true;
            lock.unlock();
            const THistoryFailure failure = store.Write(batch, error);
            if (failure != THistoryFailure::hfNone && failure != THistoryFailure::hfBusy)
                turnOff(failure, error);
            lock.lock();
            FWriting = false;
            if (failure == THistoryFailure::hfBusy && !FStopping)
                carry = std::move(batch);
        }
        FIdle.notify_all();
        if (FStopping && FQueue.empty())
            break;
    }
    lock.unlock();
    store.Close();
    lock.lock();
    FIdle.notify_all();
}

} // namespace qn
